#include "support/installation.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstring>

#include "common/win32/com_ptr.h"
#include "common/win32/registry_key.h"
#include "common/win32/unique_handle.h"
#include "support/message_box.h"
#include "support/resident_program.h"
#include "support/test_paths.h"
#include "support/wait.h"
#include "log/utf8_text.h"

namespace zelko::test {

namespace {

std::wstring specialFolder(int id) {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, id, FALSE);
    return path;
}

std::wstring lowerCase(std::wstring text) {
    for (auto& c : text) {
        c = static_cast<wchar_t>(towlower(c));
    }
    return text;
}

void addFilesBelow(const std::wstring& folder, const std::wstring& prefix,
                   std::map<std::wstring, std::string>& files) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[prefix + name + L"\\"] = {};
            addFilesBelow(folder + L"\\" + name, prefix + name + L"\\", files);
        } else {
            files[prefix + name] = readFileBytes(folder + L"\\" + name);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

}  // namespace

std::wstring programFilesFolder() {
    return specialFolder(CSIDL_PROGRAM_FILES);
}

std::wstring defaultInstallFolder() {
    return programFilesFolder() + L"\\Orvandale\\ZelkoInput";
}

std::wstring startupShortcutPath() {
    return specialFolder(CSIDL_COMMON_STARTUP) + L"\\ZELKOペンミドルウェア.lnk";
}

bool registryKeyExists(const std::wstring& key) {
    RegistryKey opened;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.put()) ==
           ERROR_SUCCESS;
}

RegistryValues registryValues(const std::wstring& key) {
    RegistryValues values;
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.put()) !=
        ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        BYTE data[4096] = {};
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueW(opened.get(), index, name, &nameLength, nullptr, &type, data,
                          &dataSize) != ERROR_SUCCESS) {
            break;
        }
        values[name] = {type, std::string(reinterpret_cast<char*>(data), dataSize)};
    }
    return values;
}

RegistryValue textValue(const std::wstring& text) {
    return {REG_SZ, std::string(reinterpret_cast<const char*>(text.c_str()),
                                (text.size() + 1) * sizeof(wchar_t))};
}

RegistryValue numberValue(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

std::map<std::wstring, std::string> filesBelow(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    addFilesBelow(folder, L"", files);
    return files;
}

InstallationSnapshot takeSnapshot(const std::wstring& folder) {
    InstallationSnapshot snapshot;
    for (const auto& below : {programFilesFolder() + L"\\Orvandale", folder}) {
        for (auto& [path, bytes] : filesBelow(below)) {
            snapshot.files[below + L"\\" + path] = std::move(bytes);
        }
    }
    snapshot.shortcut = fileExists(startupShortcutPath());
    for (const wchar_t* key :
         {kMakerKeyPath, kProductKeyPath, kInstallKeyPath, kUninstallEntryPath}) {
        if (registryKeyExists(key)) {
            snapshot.keys[key] = registryValues(key);
        }
    }
    for (const auto& resident : runningResidentPrograms()) {
        snapshot.residentPrograms.push_back(resident.processId);
    }
    return snapshot;
}

std::optional<ShortcutInfo> readShortcut(const std::wstring& path) {
    ComApartment com;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.putVoid())) ||
        FAILED(link.queryInterface(file)) || FAILED(file->Load(path.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    ShortcutInfo info;
    wchar_t text[MAX_PATH] = {};
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        info.target = text;
    }
    text[0] = 0;
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) {
        info.workingFolder = text;
    }
    const std::string bytes = readFileBytes(path);
    constexpr size_t kShowCommandOffset = 0x3C;
    if (bytes.size() >= kShowCommandOffset + sizeof(std::int32_t)) {
        std::memcpy(&info.showCommand, bytes.data() + kShowCommandOffset, sizeof(std::int32_t));
    }
    return info;
}

std::vector<RunningResident> runningResidentPrograms() {
    std::vector<RunningResident> found;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kTrayWindowClass, nullptr)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        std::wstring image = processImagePath(processId);
        std::wstring name = lowerCase(image.substr(image.find_last_of(L'\\') + 1));
        if (name == L"zelkoinput.exe") {
            found.push_back({window, processId, image});
        }
    }
    return found;
}

std::optional<RunningResident> waitForResidentProgram(std::chrono::milliseconds timeout) {
    std::optional<RunningResident> found;
    waitUntil(
        [&] {
            auto running = runningResidentPrograms();
            if (!running.empty()) {
                found = running.front();
            }
            return found.has_value();
        },
        timeout);
    return found;
}

bool waitForProcessEnd(DWORD processId, std::chrono::milliseconds timeout) {
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return !process ||
           WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool closeResidentProgram(const RunningResident& resident, std::chrono::milliseconds timeout) {
    PostMessageW(resident.trayWindow, kCloseRequestMessage, 0, 0);
    if (waitForProcessEnd(resident.processId, timeout)) {
        return true;
    }
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, resident.processId));
    if (process) {
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), 5000);
    }
    return false;
}

std::wstring processImagePath(DWORD processId) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = MAX_PATH * 2;
    if (!process || !QueryFullProcessImageNameW(process.get(), 0, path, &length)) {
        return {};
    }
    return std::wstring(path, length);
}

DWORD parentProcessOf(DWORD processId) {
    UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    if (!snapshot || !Process32FirstW(snapshot.get(), &entry)) {
        return 0;
    }
    do {
        if (entry.th32ProcessID == processId) {
            return entry.th32ParentProcessID;
        }
    } while (Process32NextW(snapshot.get(), &entry));
    return 0;
}

void removeInstallation(const std::vector<std::wstring>& folders) {
    for (const auto& resident : runningResidentPrograms()) {
        closeResidentProgram(resident, std::chrono::seconds(5));
    }
    removeTree(programFilesFolder() + L"\\Orvandale");
    for (const auto& folder : folders) {
        removeTree(folder);
    }
    DeleteFileW(startupShortcutPath().c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kMakerKeyPath);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kMakerKeyPath);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallEntryPath);
}

std::string installedProgramsListing() {
    const std::wstring output = freshScratchDirectory(L"uninstaller-list") + L"\\list.txt";
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    UniqueFileHandle file(CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return {};
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = file.get();
    startup.hStdError = file.get();
    startup.hStdInput = nullptr;
    std::wstring commandLine = L"uninstaller.exe --list";
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info)) {
        return {};
    }
    UniqueHandle process(info.hProcess);
    CloseHandle(info.hThread);
    WaitForSingleObject(process.get(), 30000);
    file.reset();
    return readFileBytes(output);
}

std::string residentProgramDiagnosis() {
    std::wstring text = L"tray windows of the class:";
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, kTrayWindowClass, nullptr)) != nullptr) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        text += L" " + std::to_wstring(processId) + L" " + processImagePath(processId) + L";";
    }
    text +=
        L" refusal boxes open: " + std::to_wstring(countMessageBoxes(L"ゼルコペンミドルウェア"));
    return testlog::utf8Of(text);
}

}  // namespace zelko::test
