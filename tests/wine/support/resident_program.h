#pragma once
// One run of the resident program under test: a copy of the executable in a fresh folder (so its
// settings file is the test's own), started with its event log, and closed at the end.

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/child_process.h"

namespace zelko::test {

constexpr UINT kTrayIconMessage = WM_USER;
constexpr UINT kPenEventMessage = WM_USER + 1;
constexpr UINT kCloseRequestMessage = WM_USER + 2;
constexpr UINT kTrayTickMessage = WM_USER + 6;
constexpr wchar_t kTrayWindowClass[] = L"ZelkaInputTrayWindow36ba692462019d83b726cfd09e3ef541";

// One line of the test build's event log.
struct ProgramEvent {
    long long microseconds = 0;
    std::string name;    // "pen-event", "tray-state", "browser"
    std::string fields;  // the rest of the line
};

enum class Build { Test, Shipped };

// Settings that keep a test's screen and speakers quiet: no scan sound, no notification window;
// the scans go out in `outputMode`.
Settings quietSettings(std::int32_t outputMode);

class ResidentProgram {
  public:
    explicit ResidentProgram(Build build = Build::Test, const std::wstring& folderName = L"");
    ~ResidentProgram();

    const std::wstring& folder() const { return folder_; }
    std::wstring executablePath() const;
    std::wstring settingsPath() const;
    // The per-user settings file of this executable (%LOCALAPPDATA%\Orvandale\ZelkoInput\...).
    std::wstring perUserSettingsPath() const;
    void writeSettings(const Settings& settings);
    void writeSettingsBytes(const std::string& bytes);
    std::string settingsBytes() const;

    // Starts the program and waits for its tray window.
    bool start(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Starts another process of the same executable (for the single-instance tests).
    ChildProcess startAnother() const;

    ChildProcess& process() { return process_; }
    HWND trayWindow() const { return trayWindow_; }

    std::vector<ProgramEvent> events() const;
    // Waits for an event that satisfies `match`; returns it.
    std::optional<ProgramEvent> waitForEvent(const std::function<bool(const ProgramEvent&)>& match,
                                             std::chrono::milliseconds timeout) const;
    // The tray state most recently shown, or -1.
    int lastTrayState() const;
    bool waitForTrayState(int state, std::chrono::milliseconds timeout) const;

    void postToTray(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Posts the installer's close request and waits for the process to end.
    std::optional<DWORD> close(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  private:
    Build build_;
    std::wstring folder_;
    std::wstring eventLog_;
    ChildProcess process_;
    HWND trayWindow_ = nullptr;
};

// Removes the per-user settings folder that every program of the shared Wine prefix reads first, so
// that one test's settings never reach another. Every ResidentProgram does it when it is made and
// when it goes.
void removePerUserSettings();

// The tray window owned by this process, or null.
HWND findTrayWindowOf(DWORD processId);

}  // namespace zelko::test
