#pragma once
// What an installation of the middleware puts on the machine of the shared Wine prefix, as the
// tests look at it: the install folder, the startup shortcut, the registry keys and the running
// resident program; and the means to remove all of it again.

#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelko::test {

constexpr wchar_t kInstallKeyPath[] = L"SOFTWARE\\Orvandale\\ZelkoInput\\Install";
constexpr wchar_t kProductKeyPath[] = L"SOFTWARE\\Orvandale\\ZelkoInput";
constexpr wchar_t kMakerKeyPath[] = L"SOFTWARE\\Orvandale";
constexpr wchar_t kUninstallEntryPath[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVNZelkoInput";

std::wstring programFilesFolder();
std::wstring defaultInstallFolder();  // "…\Program Files\Orvandale\ZelkoInput"
std::wstring startupShortcutPath();   // in the common Startup folder

struct RegistryValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const RegistryValue& other) const {
        return type == other.type && bytes == other.bytes;
    }
};
using RegistryValues = std::map<std::wstring, RegistryValue>;

bool registryKeyExists(const std::wstring& key);  // under HKEY_LOCAL_MACHINE
RegistryValues registryValues(const std::wstring& key);
RegistryValue textValue(const std::wstring& text);  // REG_SZ with its terminator
RegistryValue numberValue(DWORD number);            // REG_DWORD

// The files (with their bytes) below a folder, by path relative to it.
std::map<std::wstring, std::string> filesBelow(const std::wstring& folder);

// Everything an installation can change, to compare before and after.
struct InstallationSnapshot {
    std::map<std::wstring, std::string> files;  // below "…\Orvandale" and `folder`
    bool shortcut = false;
    std::map<std::wstring, RegistryValues> keys;
    std::vector<DWORD> residentPrograms;  // processes
    bool operator==(const InstallationSnapshot& other) const {
        return files == other.files && shortcut == other.shortcut && keys == other.keys &&
               residentPrograms == other.residentPrograms;
    }
};
InstallationSnapshot takeSnapshot(const std::wstring& folder = defaultInstallFolder());

struct ShortcutInfo {
    std::wstring target;
    std::wstring workingFolder;
    // As stored in the link's header: the shell link object itself reports every value but
    // SW_SHOWMAXIMIZED and SW_SHOWMINNOACTIVE as SW_SHOWNORMAL.
    int showCommand = 0;
};
std::optional<ShortcutInfo> readShortcut(const std::wstring& path);

// A running ZelkoInput.exe (the shipped program, wherever it was started from).
struct RunningResident {
    HWND trayWindow = nullptr;
    DWORD processId = 0;
    std::wstring executable;
};
std::vector<RunningResident> runningResidentPrograms();
std::optional<RunningResident> waitForResidentProgram(std::chrono::milliseconds timeout);
// What stands in the way when no resident program shows up: every process with a tray window of
// the resident program's class, and the refusal boxes of a second start that are open.
std::string residentProgramDiagnosis();
// Posts the close request and waits for the process to end; terminates it if it does not.
bool closeResidentProgram(const RunningResident& resident, std::chrono::milliseconds timeout);
bool waitForProcessEnd(DWORD processId, std::chrono::milliseconds timeout);
DWORD parentProcessOf(DWORD processId);
// The full path of the process's executable, or empty.
std::wstring processImagePath(DWORD processId);

// Closes every running ZelkoInput.exe and removes the install folders (the default one and
// `folders`), the startup shortcut and the keys.
void removeInstallation(const std::vector<std::wstring>& folders = {});

// What Wine's own list of installed programs ("uninstaller --list") prints.
std::string installedProgramsListing();

}  // namespace zelko::test
