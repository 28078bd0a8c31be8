// Loading and saving the settings file: beside the executable, or in the per-user folder
// (settings_places.h says which is read and which is written).

#include "settings/win32/settings_file.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>

#include "app/win32/program_state.h"
#include "common/win32/text.h"
#include "settings/settings_places.h"

namespace zelko {

namespace {

// FOLDERID_LocalAppData, {F1B32785-6FBA-4FCF-9D55-7B8E7F157091}.
constexpr GUID kLocalAppDataFolder = {
    0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

struct TaskMemoryFree {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// The user's local application data folder, or empty.
std::u16string localAppDataFolder() {
    wchar_t* folder = nullptr;
    const HRESULT result = SHGetKnownFolderPath(kLocalAppDataFolder, 0, nullptr, &folder);
    const std::unique_ptr<wchar_t, TaskMemoryFree> owned(folder);
    if (FAILED(result) || folder == nullptr) {
        return {};
    }
    return toU16(folder);
}

std::wstring besideProgramPath() {
    return toWide(settingsFileNameFor(toU16(executablePath())));
}

std::wstring pathOf(SettingsPlace place) {
    return place == SettingsPlace::PerUser ? perUserSettingsPath() : besideProgramPath();
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool readFrom(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    UniqueFile file(_wfopen(path.c_str(), L"rb"));
    if (!file) {
        return false;
    }
    SettingsFileBytes bytes{};
    std::size_t length = std::fread(bytes.data(), 1, bytes.size(), file.get());
    ProgramState& state = programState();
    MutexLock lock(state.settingsLock);
    decodeSettings(bytes.data(), length, state.settings);
    return true;
}

bool isReadOnlyFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool writeTo(const std::wstring& path, const SettingsFileBytes& bytes) {
    // A read-only file is never written over. Windows refuses the open anyway; Wine run as root
    // would not, since it keeps the attribute only in the Unix permissions.
    if (path.empty() || isReadOnlyFile(path)) {
        return false;
    }
    UniqueFile file(_wfopen(path.c_str(), L"wb"));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

// Creates the per-user folder (and the one above it) if need be.
bool makePerUserFolder() {
    const std::wstring folder = perUserSettingsFolder();
    if (folder.empty()) {
        return false;
    }
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

}  // namespace

std::wstring executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring perUserSettingsFolder() {
    return toWide(perUserSettingsFolderFor(localAppDataFolder()));
}

std::wstring perUserSettingsPath() {
    return toWide(perUserSettingsFileFor(localAppDataFolder(), toU16(executablePath())));
}

int loadSettings() {
    for (SettingsPlace place : settingsPlacesToLoad(isFile(perUserSettingsPath()))) {
        if (readFrom(pathOf(place))) {
            return 1;
        }
    }
    return 0;
}

int saveSettings() {
    SettingsFileBytes bytes;
    {
        ProgramState& state = programState();
        MutexLock lock(state.settingsLock);
        bytes = encodeSettings(state.settings);
    }
    for (SettingsPlace place : settingsPlacesToSave(isFile(perUserSettingsPath()))) {
        if (place == SettingsPlace::PerUser && !makePerUserFolder()) {
            continue;
        }
        if (writeTo(pathOf(place), bytes)) {
            return 1;
        }
    }
    return 0;
}

}  // namespace zelko
