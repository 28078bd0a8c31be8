#pragma once
// Work of the about dialog on a thread of its own, so that the program goes on serving the tray
// icon and the scans while the update check talks to the server. The work reports back to a
// window with a posted message.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace zelko {

// What a task's thread shares with its owner (defined in background_task.cpp).
struct BackgroundTaskState;

class BackgroundTask {
  public:
    // Looks at `keepGoing` as often as it can and ends soon after it is cleared.
    using Work = std::function<void(const std::atomic<std::int32_t>& keepGoing)>;

    BackgroundTask() = default;
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;
    // Abandons a task that still runs.
    ~BackgroundTask();

    // Runs `work` on a new thread and posts `message` (wParam and lParam 0) to `window` when it
    // has returned. False when a task is still running or the thread cannot be started.
    bool start(HWND window, UINT message, Work work);
    // True from start() until finish() or abandon().
    bool running() const { return static_cast<bool>(shared_); }
    // To be called when the message has arrived: waits for the thread, which has ended or is
    // about to, after which everything the work wrote can be read.
    void finish();
    // Tells the work to stop and makes sure that no message comes for it any more; returns at
    // once. The thread is left to finishBackgroundTasks().
    void abandon();

  private:
    std::shared_ptr<BackgroundTaskState> shared_;
    std::thread thread_;
};

// Tells every abandoned task to stop and waits for their threads, at most `patienceMs` in all, so
// that a request waiting for a server (10 s time-outs) does not hold up the end of the program. A
// task still inside such a request is let go: its work uses only what it shares with its task
// record, and the end of the process ends it. Shut-down calls it.
void finishBackgroundTasks(std::uint32_t patienceMs);

}  // namespace zelko
