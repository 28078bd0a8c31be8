#include "support/fake_browser_bench.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {

namespace {

constexpr wchar_t kCommandKey[] = L"http\\shell\\open\\command";

std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(field.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// The lower-case file name of the process's image, for the check that an id still names one of
// the fake browsers (ids are reused once a process has ended).
std::string imageNameOf(HANDLE process) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) {
        return std::string();
    }
    std::wstring full(path, size);
    std::string name;
    for (wchar_t c : full.substr(full.find_last_of(L"\\/") + 1)) {
        name += static_cast<char>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
    }
    return name;
}

}  // namespace

DefaultBrowserRegistration::DefaultBrowserRegistration(const std::wstring& command, DWORD type) {
    save();
    write(type, command.c_str(), static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

DefaultBrowserRegistration::DefaultBrowserRegistration(DWORD type, const std::string& bytes) {
    save();
    write(type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void DefaultBrowserRegistration::save() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kCommandKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key, nullptr, nullptr, &savedType_, nullptr, &size) == ERROR_SUCCESS) {
        savedBytes_.resize(size);
        hadValue_ =
            RegQueryValueExW(key, nullptr, nullptr, &savedType_,
                             reinterpret_cast<BYTE*>(savedBytes_.data()), &size) == ERROR_SUCCESS;
        savedBytes_.resize(size);
    }
    RegCloseKey(key);
}

void DefaultBrowserRegistration::write(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot write the http command key";
        return;
    }
    RegSetValueExW(key, nullptr, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

DefaultBrowserRegistration::~DefaultBrowserRegistration() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kCommandKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    if (hadValue_) {
        RegSetValueExW(key, nullptr, 0, savedType_,
                       reinterpret_cast<const BYTE*>(savedBytes_.data()),
                       static_cast<DWORD>(savedBytes_.size()));
    } else {
        RegDeleteValueW(key, nullptr);
    }
    RegCloseKey(key);
}

std::wstring browserCommandFor(const std::wstring& executablePath) {
    return L"\"" + executablePath + L"\" \"%1\"";
}

FakeBrowserBench::FakeBrowserBench(const std::wstring& folderName)
    : folder_(freshScratchDirectory(folderName)), log_(folder_ + L"\\browser-events.log") {
    SetEnvironmentVariableW(L"ZELKO_FAKE_BROWSER_LOG", log_.c_str());
}

FakeBrowserBench::~FakeBrowserBench() {
    endBrowsers();
    SetEnvironmentVariableW(L"ZELKO_FAKE_BROWSER_LOG", nullptr);
}

void FakeBrowserBench::endBrowsers() {
    // Every start, also one whose arguments are still being written.
    for (const FakeBrowserEvent& start : eventsNamed(events(), "start")) {
        if (start.fields.empty()) {
            continue;
        }
        HANDLE process =
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                        start.processId);
        if (process && imageNameOf(process) == start.fields[0]) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        if (process) {
            CloseHandle(process);
        }
    }
}

std::wstring FakeBrowserBench::install(const std::wstring& executableName) {
    const std::wstring path = folder_ + L"\\" + executableName;
    EXPECT_TRUE(copyFileTo(binDirectory() + L"\\fakebrowser.exe", path));
    return path;
}

void FakeBrowserBench::installAsDefault(const std::wstring& executableName) {
    registration_.emplace(browserCommandFor(install(executableName)));
}

std::optional<DWORD> FakeBrowserBench::startWindows(const std::wstring& executableName,
                                                    const std::vector<std::wstring>& options) {
    ChildProcess child = ChildProcess::start(folder_ + L"\\" + executableName, options, folder_);
    if (!child.started()) {
        return std::nullopt;
    }
    const DWORD id = child.id();
    const bool ready = waitUntil(
        [&] {
            for (const auto& event : eventsNamed(events(), "ready")) {
                if (event.processId == id) {
                    return true;
                }
            }
            return false;
        },
        10s);
    children_.push_back(std::move(child));
    return ready ? std::optional<DWORD>(id) : std::nullopt;
}

std::vector<FakeBrowserEvent> FakeBrowserBench::events() const {
    std::vector<FakeBrowserEvent> events;
    std::istringstream lines(readFileBytes(log_));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        FakeBrowserEvent event;
        if (!(words >> event.microseconds >> event.processId >> event.name)) {
            continue;
        }
        std::string field;
        while (words >> field) {
            event.fields.push_back(unescaped(field));
        }
        events.push_back(event);
    }
    return events;
}

std::vector<FakeBrowserStart> FakeBrowserBench::starts() const {
    std::vector<FakeBrowserStart> starts;
    std::vector<std::size_t> argumentCounts;
    for (const FakeBrowserEvent& event : events()) {
        if (event.name == "start" && event.fields.size() == 2) {
            starts.push_back(
                FakeBrowserStart{event.microseconds, event.processId, event.fields[0], {}});
            argumentCounts.push_back(std::stoul(event.fields[1]));
        } else if (event.name == "arg" && !starts.empty()) {
            for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
                if (start->processId == event.processId) {
                    start->arguments.push_back(event.fields.empty() ? "" : event.fields[0]);
                    break;
                }
            }
        }
    }
    // A start whose arguments are still being written is not complete yet: it and the starts
    // after it are left for a later look.
    for (std::size_t index = 0; index < starts.size(); ++index) {
        if (starts[index].arguments.size() < argumentCounts[index]) {
            starts.resize(index);
            break;
        }
    }
    return starts;
}

std::vector<std::string> FakeBrowserBench::commits(DWORD processId) const {
    std::vector<std::string> texts;
    for (const auto& event : eventsNamed(events(), "commit")) {
        if (processId == 0 || event.processId == processId) {
            texts.push_back(event.fields.empty() ? "" : event.fields[0]);
        }
    }
    return texts;
}

std::vector<std::string> FakeBrowserBench::chords(DWORD processId) const {
    std::vector<std::string> names;
    for (const auto& event : eventsNamed(events(), "chord")) {
        if ((processId == 0 || event.processId == processId) && !event.fields.empty()) {
            names.push_back(event.fields[0]);
        }
    }
    return names;
}

std::vector<HWND> FakeBrowserBench::windowsOf(DWORD processId) const {
    std::vector<HWND> windows;
    for (const auto& event : eventsNamed(events(), "window")) {
        if (event.processId == processId && !event.fields.empty()) {
            windows.push_back(reinterpret_cast<HWND>(std::stoull(event.fields[0], nullptr, 16)));
        }
    }
    return windows;
}

bool FakeBrowserBench::waitForStarts(std::size_t count, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return starts().size() >= count; }, timeout);
}

bool FakeBrowserBench::waitForCommits(std::size_t count, std::chrono::milliseconds timeout) const {
    return waitUntil([&] { return commits().size() >= count; }, timeout);
}

std::vector<FakeBrowserEvent> eventsNamed(const std::vector<FakeBrowserEvent>& events,
                                          const std::string& name) {
    std::vector<FakeBrowserEvent> named;
    for (const auto& event : events) {
        if (event.name == name) {
            named.push_back(event);
        }
    }
    return named;
}

}  // namespace zelko::test
