#include "support/resident_program.h"

#include <shlobj.h>

#include <memory>
#include <sstream>

#include "settings/settings_places.h"

#include "support/test_paths.h"
#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {

namespace {

std::wstring executableName(Build build) {
    return build == Build::Shipped ? L"ZelkoInput.exe" : L"ZelkoInputTest.exe";
}

std::u16string localAppData() {
    wchar_t* folder = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder);
    std::u16string path;
    if (SUCCEEDED(result) && folder != nullptr) {
        path = reinterpret_cast<const char16_t*>(folder);
    }
    CoTaskMemFree(folder);
    return path;
}

std::wstring wide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

HWND findTrayWindowOf(DWORD processId) {
    return findWindowOf(processId, kTrayWindowClass);
}

void removePerUserSettings() {
    const std::wstring folder = wide(perUserSettingsFolderFor(localAppData()));
    if (folder.empty()) {
        return;
    }
    removeTree(folder);
    RemoveDirectoryW(folder.substr(0, folder.find_last_of(L'\\')).c_str());  // if empty
}

ResidentProgram::ResidentProgram(Build build, const std::wstring& folderName) : build_(build) {
    removePerUserSettings();
    folder_ = freshScratchDirectory(folderName.empty() ? currentTestName() : folderName);
    eventLog_ = folder_ + L"\\events.log";
    copyFileTo(binDirectory() + L"\\" + executableName(build), executablePath());
}

ResidentProgram::~ResidentProgram() {
    if (process_.running()) {
        close(std::chrono::seconds(5));
    }
    removePerUserSettings();
}

std::wstring ResidentProgram::executablePath() const {
    return folder_ + L"\\" + executableName(build_);
}

std::wstring ResidentProgram::settingsPath() const {
    std::wstring path = executablePath();
    return path.substr(0, path.size() - 3) + L"cfg";
}

std::wstring ResidentProgram::perUserSettingsPath() const {
    const std::wstring executable = executablePath();
    return wide(perUserSettingsFileFor(localAppData(),
                                       std::u16string(executable.begin(), executable.end())));
}

Settings quietSettings(std::int32_t outputMode) {
    Settings settings;
    settings.outputMode = outputMode;
    settings.playSound = 0;
    settings.showDialog = 0;
    return settings;
}

void ResidentProgram::writeSettings(const Settings& settings) {
    auto bytes = encodeSettings(settings);
    writeSettingsBytes(std::string(bytes.begin(), bytes.end()));
}

void ResidentProgram::writeSettingsBytes(const std::string& bytes) {
    writeFileBytes(settingsPath(), bytes);
}

std::string ResidentProgram::settingsBytes() const {
    return readFileBytes(settingsPath());
}

bool ResidentProgram::start(std::chrono::milliseconds timeout) {
    SetEnvironmentVariableW(L"ZELKO_TEST_EVENTS", eventLog_.c_str());
    process_ = ChildProcess::start(executablePath(), {}, folder_);
    if (!process_.started()) {
        return false;
    }
    return waitUntil(
               [&] {
                   trayWindow_ = findTrayWindowOf(process_.id());
                   return trayWindow_ != nullptr || !process_.running();
               },
               timeout) &&
           trayWindow_ != nullptr;
}

ChildProcess ResidentProgram::startAnother() const {
    return ChildProcess::start(executablePath(), {}, folder_);
}

std::vector<ProgramEvent> ResidentProgram::events() const {
    std::vector<ProgramEvent> events;
    std::istringstream lines(readFileBytes(eventLog_));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ProgramEvent event;
        if (!(fields >> event.microseconds >> event.name)) {
            continue;
        }
        std::getline(fields >> std::ws, event.fields);
        events.push_back(event);
    }
    return events;
}

std::optional<ProgramEvent> ResidentProgram::waitForEvent(
    const std::function<bool(const ProgramEvent&)>& match,
    std::chrono::milliseconds timeout) const {
    std::optional<ProgramEvent> found;
    waitUntil(
        [&] {
            for (const auto& event : events()) {
                if (match(event)) {
                    found = event;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

int ResidentProgram::lastTrayState() const {
    int state = -1;
    for (const auto& event : events()) {
        if (event.name == "tray-state") {
            state = std::stoi(event.fields);
        }
    }
    return state;
}

bool ResidentProgram::waitForTrayState(int state, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return lastTrayState() == state; }, timeout);
}

void ResidentProgram::postToTray(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageW(trayWindow_, message, wParam, lParam);
}

std::optional<DWORD> ResidentProgram::close(std::chrono::milliseconds timeout) {
    if (trayWindow_) {
        PostMessageW(trayWindow_, kCloseRequestMessage, 0, 0);
    }
    auto code = process_.waitForExit(timeout);
    if (!code) {
        process_.terminate();
    }
    return code;
}

}  // namespace zelko::test
