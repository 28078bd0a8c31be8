#include "settings/win32/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "app/win32/program_state.h"
#include "common/win32/text.h"

namespace zelko {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

std::wstring settingsFilePath() {
    return toWide(settingsFileNameFor(toU16(executablePath())));
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

int loadSettings() {
    std::wstring path = settingsFilePath();
    if (path.empty()) {
        return 0;
    }
    UniqueFile file(_wfopen(path.c_str(), L"rb"));
    if (!file) {
        return 0;
    }
    SettingsFileBytes bytes{};
    std::size_t length = std::fread(bytes.data(), 1, bytes.size(), file.get());
    ProgramState& state = programState();
    MutexLock lock(state.settingsLock);
    decodeSettings(bytes.data(), length, state.settings);
    return 1;
}

int saveSettings() {
    std::wstring path = settingsFilePath();
    if (path.empty()) {
        return 0;
    }
    UniqueFile file(_wfopen(path.c_str(), L"wb"));
    if (!file) {
        return 0;
    }
    SettingsFileBytes bytes;
    {
        ProgramState& state = programState();
        MutexLock lock(state.settingsLock);
        bytes = encodeSettings(state.settings);
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written ? 1 : 0;
}

}  // namespace zelko
