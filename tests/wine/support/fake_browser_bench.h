#pragma once
// The fake browser as a test sees it: copies of it under browser executable names in a test
// folder, registered as the default browser, and its log read back.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace zelko::test {

// Replaces the default value of HKEY_CLASSES_ROOT\http\shell\open\command while it lives and puts
// back what was there (value and type, or no value) afterwards. All tests share one Wine prefix.
class DefaultBrowserRegistration {
  public:
    explicit DefaultBrowserRegistration(const std::wstring& command, DWORD type = REG_SZ);
    // A value of another type than a text: raw bytes.
    DefaultBrowserRegistration(DWORD type, const std::string& bytes);
    DefaultBrowserRegistration(const DefaultBrowserRegistration&) = delete;
    DefaultBrowserRegistration& operator=(const DefaultBrowserRegistration&) = delete;
    ~DefaultBrowserRegistration();

  private:
    void save();
    void write(DWORD type, const void* data, DWORD size);

    bool hadValue_ = false;
    DWORD savedType_ = 0;
    std::string savedBytes_;
};

// The usual registration form: "<path>" "%1".
std::wstring browserCommandFor(const std::wstring& executablePath);

// One line of the fake browser's log; fields unescaped (UTF-8).
struct FakeBrowserEvent {
    long long microseconds = 0;
    DWORD processId = 0;
    std::string name;  // start, arg, window, ready, chord, delete, commit, exit, failed
    std::vector<std::string> fields;
};

struct FakeBrowserStart {
    long long microseconds = 0;
    DWORD processId = 0;
    std::string executable;
    std::vector<std::string> arguments;
};

class FakeBrowserBench {
  public:
    // A fresh folder for the browser copies and the log, which ZELKO_FAKE_BROWSER_LOG names (for
    // this process and every process it starts from now on).
    explicit FakeBrowserBench(const std::wstring& folderName);
    // Ends every fake browser that the log shows started.
    ~FakeBrowserBench();
    void endBrowsers();

    const std::wstring& folder() const { return folder_; }
    // Copies the fake browser as `executableName` into the folder; returns its path.
    std::wstring install(const std::wstring& executableName);
    // install() and register it as the default browser.
    void installAsDefault(const std::wstring& executableName);

    // Starts the installed copy directly, with options, and waits until its windows exist.
    std::optional<DWORD> startWindows(const std::wstring& executableName,
                                      const std::vector<std::wstring>& options);

    std::vector<FakeBrowserEvent> events() const;
    // The starts whose arguments have all been logged, in order.
    std::vector<FakeBrowserStart> starts() const;
    std::vector<std::string> commits(DWORD processId = 0) const;
    std::vector<std::string> chords(DWORD processId = 0) const;
    // The top-level windows that the process logged, in creation order.
    std::vector<HWND> windowsOf(DWORD processId) const;

    bool waitForStarts(std::size_t count, std::chrono::milliseconds timeout) const;
    bool waitForCommits(std::size_t count, std::chrono::milliseconds timeout) const;

  private:
    std::wstring folder_;
    std::wstring log_;
    std::optional<DefaultBrowserRegistration> registration_;
    std::vector<ChildProcess> children_;
};

// Events of one name.
std::vector<FakeBrowserEvent> eventsNamed(const std::vector<FakeBrowserEvent>& events,
                                          const std::string& name);

}  // namespace zelko::test
