#include "about/win32/background_task.h"

#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace zelko {

struct BackgroundTaskState {
    std::atomic<std::int32_t> keepGoing{1};
    std::atomic<bool> ended{false};
    std::mutex lock;        // guards window
    HWND window = nullptr;  // null once the task is abandoned
    UINT message = 0;
};

namespace {

constexpr int kPostAttempts = 100;
constexpr DWORD kPostRetryMs = 50;

struct AbandonedTask {
    std::shared_ptr<BackgroundTaskState> state;
    std::thread thread;
};

// Touched by the main thread only.
std::vector<AbandonedTask>& abandonedTasks() {
    static std::vector<AbandonedTask> tasks;
    return tasks;
}

// Joins the abandoned threads that have ended.
void collectEndedTasks() {
    auto& tasks = abandonedTasks();
    for (auto task = tasks.begin(); task != tasks.end();) {
        if (task->state->ended.load()) {
            task->thread.join();
            task = tasks.erase(task);
        } else {
            ++task;
        }
    }
}

}  // namespace

BackgroundTask::~BackgroundTask() {
    abandon();
}

bool BackgroundTask::start(HWND window, UINT message, Work work) {
    if (running()) {
        return false;
    }
    collectEndedTasks();
    auto shared = std::make_shared<BackgroundTaskState>();
    shared->window = window;
    shared->message = message;
    try {
        thread_ = std::thread([shared, work = std::move(work)] {
            work(shared->keepGoing);
            // A full message queue refuses the post for a moment; the dialog waits for it.
            for (int attempt = 0; attempt < kPostAttempts; ++attempt) {
                {
                    std::lock_guard<std::mutex> guard(shared->lock);
                    if (!shared->window || PostMessageW(shared->window, shared->message, 0, 0)) {
                        break;
                    }
                }
                Sleep(kPostRetryMs);
            }
            shared->ended = true;
        });
    } catch (const std::system_error&) {
        return false;
    }
    shared_ = std::move(shared);
    return true;
}

void BackgroundTask::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    shared_.reset();
}

void BackgroundTask::abandon() {
    if (!shared_) {
        return;
    }
    shared_->keepGoing = 0;
    {
        std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->window = nullptr;
    }
    if (thread_.joinable()) {
        abandonedTasks().push_back({shared_, std::move(thread_)});
    }
    shared_.reset();
    collectEndedTasks();
}

void finishBackgroundTasks(std::uint32_t patienceMs) {
    auto& tasks = abandonedTasks();
    for (AbandonedTask& task : tasks) {
        task.state->keepGoing = 0;
    }
    const ULONGLONG deadline = GetTickCount64() + patienceMs;
    for (AbandonedTask& task : tasks) {
        while (!task.state->ended.load() && GetTickCount64() < deadline) {
            Sleep(1);
        }
        if (task.state->ended.load()) {
            task.thread.join();
        } else {
            // Inside a request to a server: the work touches only what it shares with its task
            // record, and the end of the process ends it.
            task.thread.detach();
        }
    }
    tasks.clear();
}

}  // namespace zelko
