// The simulated pen's pipe server. One service thread per pen keeps two listening pipe instances
// pending (so an open never finds the pipe busy), takes the output reports of every connected
// handle, notices closed handles, and carries out plug-in and unplug.
//
// Input reports go into each connected handle's queue, which stands for the HID class driver's
// ring buffer of that handle: the pipe has no buffer of its own, so a report is written only when
// the reader reads it, and the next one is written when that write completes. A queue holds 32
// reports (the system's default), or as many as a reader asked for on the interface
// (HidD_SetNumInputBuffers); when it is full the oldest report is lost, as a reader that falls
// behind loses reports on a real PC.

#include "pensim/simulated_pen.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <thread>

#include "common/win32/unique_handle.h"

namespace zelko::pensim {
namespace {

constexpr int kListeningInstances = 2;
constexpr DWORD kReadSize = 64;
constexpr unsigned kDefaultReportQueue = 32;

std::atomic<unsigned> pipeSequence{0};

struct Instance {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    UniqueHandle connectEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle readEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle writeEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OVERLAPPED connectOverlapped{};
    OVERLAPPED readOverlapped{};
    OVERLAPPED writeOverlapped{};
    std::uint8_t readBuffer[kReadSize] = {};
    InputReport writeBuffer{};       // the report being written (taken when the write completes)
    std::deque<InputReport> queued;  // the reports after it
    long long lastTakenAt = 0;       // when the reader last took a report
    bool connected = false;
    bool connectPending = false;
    bool readPending = false;
    bool writePending = false;
    bool dead = false;
    int number = 0;
    long long connectedAt = 0;

    Instance() = default;
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;
    ~Instance() {
        if (pipe != INVALID_HANDLE_VALUE) {
            CancelIoEx(pipe, nullptr);
            DWORD bytes = 0;
            if (connectPending) {
                GetOverlappedResult(pipe, &connectOverlapped, &bytes, TRUE);
            }
            if (readPending) {
                GetOverlappedResult(pipe, &readOverlapped, &bytes, TRUE);
            }
            if (writePending) {
                GetOverlappedResult(pipe, &writeOverlapped, &bytes, TRUE);
            }
            CloseHandle(pipe);
        }
    }
};

bool finished(HANDLE pipe, OVERLAPPED& overlapped, DWORD& bytes, DWORD& error) {
    bytes = 0;
    error = 0;
    if (GetOverlappedResult(pipe, &overlapped, &bytes, FALSE)) {
        return true;
    }
    error = GetLastError();
    return error != ERROR_IO_INCOMPLETE;
}

}  // namespace

class SimulatedPen::Server {
  public:
    Server(const std::wstring& name, const PenIdentity& identity, bool attach)
        : identity_(identity), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        path_ = L"\\\\.\\pipe\\ZelkoPenSim\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(pipeSequence++) + L"-" + name;
        wantAttached_ = attach;
        thread_ = std::thread([this] { serve(); });
        settle();
    }

    ~Server() {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            wantAttached_ = false;
            quit_ = true;
        }
        SetEvent(wake_.get());
        thread_.join();
    }

    const std::wstring& path() const { return path_; }
    const PenIdentity& identity() const { return identity_; }

    void setAttached(bool attached) {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            wantAttached_ = attached;
        }
        settle();
    }

    bool attached() const {
        std::lock_guard<std::mutex> guard(mutex_);
        return isAttached_;
    }

    void setRefuse(bool refuse) {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            refuse_ = refuse;
        }
        settle();
    }

    long long send(const InputReport& report, int* handles) {
        std::lock_guard<std::mutex> guard(mutex_);
        const long long now = nowMicroseconds();
        int count = 0;
        for (auto& instance : instances_) {
            if (!instance->connected || instance->dead) {
                continue;
            }
            if (queuedReports(*instance) >= reportQueue_) {
                reportQueue_ = askedReportQueue();  // a reader may have asked for more meanwhile
            }
            if (queuedReports(*instance) >= reportQueue_) {
                if (instance->queued.empty()) {
                    continue;  // a queue of one report, in the pipe: this one is lost
                }
                instance->queued.pop_front();  // the oldest report waiting is lost
            }
            instance->queued.push_back(report);
            writeNext(*instance);
            ++count;
        }
        if (handles != nullptr) {
            *handles = count;
        }
        return now;
    }

    unsigned queuedInputReports() const {
        std::lock_guard<std::mutex> guard(mutex_);
        unsigned total = 0;
        for (auto& instance : instances_) {
            if (instance->connected && !instance->dead) {
                total += queuedReports(*instance);
            }
        }
        return total;
    }

    long long lastInputTakenAt() const {
        std::lock_guard<std::mutex> guard(mutex_);
        long long latest = 0;
        for (auto& instance : instances_) {
            latest = std::max(latest, instance->lastTakenAt);
        }
        return std::max(latest, lastTakenByGone_);
    }

    std::vector<OutputReport> outputs() const {
        std::lock_guard<std::mutex> guard(mutex_);
        return outputs_;
    }

    int openHandles(std::chrono::milliseconds minimumAge) const {
        std::lock_guard<std::mutex> guard(mutex_);
        const long long latest = nowMicroseconds() - minimumAge.count() * 1000;
        return static_cast<int>(std::count_if(instances_.begin(), instances_.end(), [&](auto& i) {
            return i->connected && !i->dead && i->connectedAt <= latest;
        }));
    }

    unsigned pendingOutputBytes() const {
        std::lock_guard<std::mutex> guard(mutex_);
        unsigned total = 0;
        for (auto& instance : instances_) {
            DWORD available = 0;
            if (instance->connected && !instance->dead &&
                PeekNamedPipe(instance->pipe, nullptr, 0, nullptr, &available, nullptr)) {
                total += available;
            }
        }
        return total;
    }

  private:
    // Waits until the service thread has carried out the wanted state.
    void settle() {
        std::unique_lock<std::mutex> lock(mutex_);
        const unsigned request = ++requested_;
        SetEvent(wake_.get());
        settled_.wait(lock, [&] { return applied_ >= request || quit_; });
    }

    void serve() {
        while (true) {
            std::vector<HANDLE> waits;
            bool refusing = false;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                refusing = refuse_;
                reconcile();
                const unsigned done = requested_;
                if (applied_ != done) {
                    applied_ = done;
                    settled_.notify_all();
                }
                if (quit_ && instances_.empty()) {
                    return;
                }
                waits.push_back(wake_.get());
                for (auto& instance : instances_) {
                    if (waits.size() + 3 > MAXIMUM_WAIT_OBJECTS) {
                        break;
                    }
                    if (instance->connectPending) {
                        waits.push_back(instance->connectEvent.get());
                    }
                    if (instance->readPending) {
                        waits.push_back(instance->readEvent.get());
                    }
                    if (instance->writePending) {
                        waits.push_back(instance->writeEvent.get());
                    }
                }
            }
            // While refusing output reports no read is pending, so a closed handle shows only in a
            // peek: then the thread wakes at least every 20 ms. Otherwise every change has an
            // event.
            WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE,
                                   refusing ? 20 : INFINITE);
        }
    }

    // Called with the mutex held: completes finished I/O and brings the instances to the wanted
    // state.
    void reconcile() {
        for (auto& instance : instances_) {
            collect(*instance);
        }
        if (!wantAttached_ && isAttached_) {
            unpublishInterface(key_);
            key_.clear();
            for (auto& instance : instances_) {
                lastTakenByGone_ = std::max(lastTakenByGone_, instance->lastTakenAt);
            }
            instances_.clear();  // cancels their I/O and closes every connection
            isAttached_ = false;
            reportQueue_ = kDefaultReportQueue;
        }
        for (auto& instance : instances_) {
            if (instance->dead) {
                lastTakenByGone_ = std::max(lastTakenByGone_, instance->lastTakenAt);
            }
        }
        instances_.erase(std::remove_if(instances_.begin(), instances_.end(),
                                        [](auto& instance) { return instance->dead; }),
                         instances_.end());
        if (wantAttached_ && !quit_) {
            int listening = static_cast<int>(std::count_if(instances_.begin(), instances_.end(),
                                                           [](auto& i) { return !i->connected; }));
            for (; listening < kListeningInstances; ++listening) {
                if (!listen()) {
                    break;
                }
            }
            if (!isAttached_) {
                key_ = publishInterface(path_, identity_);
                isAttached_ = true;
            }
        }
        for (auto& instance : instances_) {
            if (!instance->connected || instance->dead) {
                continue;
            }
            if (refuse_ && instance->readPending) {
                CancelIoEx(instance->pipe, &instance->readOverlapped);
                DWORD bytes = 0;
                const BOOL ok =
                    GetOverlappedResult(instance->pipe, &instance->readOverlapped, &bytes, TRUE);
                instance->readPending = false;
                if (ok) {
                    record(*instance, bytes);
                }
            }
            if (!refuse_ && !instance->readPending) {
                startRead(*instance);
            }
            if (refuse_ && !instance->dead) {
                // No read is pending: a closed handle shows in the peek.
                DWORD available = 0;
                if (!PeekNamedPipe(instance->pipe, nullptr, 0, nullptr, &available, nullptr)) {
                    instance->dead = true;
                }
            }
        }
    }

    void collect(Instance& instance) {
        DWORD bytes = 0;
        DWORD error = 0;
        if (instance.connectPending &&
            finished(instance.pipe, instance.connectOverlapped, bytes, error)) {
            instance.connectPending = false;
            if (error == 0) {
                connected(instance);
            } else {
                instance.dead = true;
            }
        }
        if (instance.readPending &&
            finished(instance.pipe, instance.readOverlapped, bytes, error)) {
            instance.readPending = false;
            if (error == 0) {
                record(instance, bytes);
            } else if (error != ERROR_OPERATION_ABORTED) {
                instance.dead = true;  // broken pipe: the handle was closed
            }
        }
        if (instance.writePending &&
            finished(instance.pipe, instance.writeOverlapped, bytes, error)) {
            instance.writePending = false;
            if (error == 0) {
                instance.lastTakenAt = nowMicroseconds();
                writeNext(instance);
            } else if (error != ERROR_OPERATION_ABORTED) {
                instance.dead = true;
            }
        }
    }

    static unsigned queuedReports(const Instance& instance) {
        return static_cast<unsigned>(instance.queued.size()) + (instance.writePending ? 1 : 0);
    }

    // The queue a reader asked for on this interface, or the default.
    unsigned askedReportQueue() const {
        for (const auto& published : publishedInterfaces()) {
            if (published.key == key_ && published.inputReportQueue > 0) {
                return published.inputReportQueue;
            }
        }
        return kDefaultReportQueue;
    }

    // Called with the mutex held: writes the queued reports to the pipe until one has to wait for
    // the reader.
    void writeNext(Instance& instance) {
        while (!instance.writePending && !instance.dead && !instance.queued.empty()) {
            instance.writeBuffer = instance.queued.front();
            instance.queued.pop_front();
            instance.writeOverlapped = OVERLAPPED{};
            instance.writeOverlapped.hEvent = instance.writeEvent.get();
            ResetEvent(instance.writeEvent.get());
            if (WriteFile(instance.pipe, instance.writeBuffer.data(), 4, nullptr,
                          &instance.writeOverlapped)) {
                instance.lastTakenAt = nowMicroseconds();
                continue;
            }
            if (GetLastError() == ERROR_IO_PENDING) {
                instance.writePending = true;
                SetEvent(wake_.get());  // the service thread waits for its completion
            } else {
                instance.dead = true;  // the handle was closed
                SetEvent(wake_.get());
            }
        }
    }

    void connected(Instance& instance) {
        instance.connected = true;
        instance.number = nextHandle_++;
        instance.connectedAt = nowMicroseconds();
    }

    bool listen() {
        auto instance = std::make_unique<Instance>();
        instance->pipe = CreateNamedPipeW(
            path_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
            0,  // no out-buffer: an input report is only written when the reader takes it
            0,  // no in-buffer: an output report is only written when the pen takes it
            0, nullptr);
        if (instance->pipe == INVALID_HANDLE_VALUE) {
            return false;
        }
        instance->connectOverlapped.hEvent = instance->connectEvent.get();
        if (ConnectNamedPipe(instance->pipe, &instance->connectOverlapped)) {
            connected(*instance);
        } else {
            const DWORD error = GetLastError();
            if (error == ERROR_IO_PENDING) {
                instance->connectPending = true;
            } else if (error == ERROR_PIPE_CONNECTED) {
                connected(*instance);
            } else {
                return false;
            }
        }
        instances_.push_back(std::move(instance));
        return true;
    }

    void startRead(Instance& instance) {
        instance.readOverlapped = OVERLAPPED{};
        instance.readOverlapped.hEvent = instance.readEvent.get();
        ResetEvent(instance.readEvent.get());
        if (ReadFile(instance.pipe, instance.readBuffer, kReadSize, nullptr,
                     &instance.readOverlapped) ||
            GetLastError() == ERROR_IO_PENDING) {
            instance.readPending = true;  // completed at once: collected on the next turn
            SetEvent(wake_.get());
        } else {
            instance.dead = true;
        }
    }

    void record(Instance& instance, DWORD bytes) {
        const long long now = nowMicroseconds();
        // Each write is one 2-byte output report; bytes that arrive together are split up.
        for (DWORD offset = 0; offset < bytes; offset += 2) {
            OutputReport report;
            report.microseconds = now;
            report.handle = instance.number;
            const DWORD size = std::min<DWORD>(2, bytes - offset);
            report.bytes.assign(instance.readBuffer + offset, instance.readBuffer + offset + size);
            outputs_.push_back(std::move(report));
        }
    }

    std::wstring path_;
    PenIdentity identity_;
    UniqueHandle wake_;
    mutable std::mutex mutex_;
    std::condition_variable settled_;
    std::vector<std::unique_ptr<Instance>> instances_;
    std::vector<OutputReport> outputs_;
    std::wstring key_;
    bool wantAttached_ = false;
    bool isAttached_ = false;
    bool refuse_ = false;
    bool quit_ = false;
    unsigned reportQueue_ = kDefaultReportQueue;  // the last known queue asked for
    long long lastTakenByGone_ = 0;
    unsigned requested_ = 0;
    unsigned applied_ = 0;
    int nextHandle_ = 1;
    std::thread thread_;
};

SimulatedPen::SimulatedPen(const std::wstring& name, const PenIdentity& identity, bool attach)
    : server_(std::make_unique<Server>(name, identity, attach)) {}

SimulatedPen::~SimulatedPen() = default;

const std::wstring& SimulatedPen::path() const {
    return server_->path();
}
const PenIdentity& SimulatedPen::identity() const {
    return server_->identity();
}
void SimulatedPen::plugIn() {
    server_->setAttached(true);
}
void SimulatedPen::unplug() {
    server_->setAttached(false);
}
bool SimulatedPen::attached() const {
    return server_->attached();
}
void SimulatedPen::setRefuseOutput(bool refuse) {
    server_->setRefuse(refuse);
}

long long SimulatedPen::sendReport(const InputReport& report, int* handles) {
    return server_->send(report, handles);
}

long long SimulatedPen::sendReports(const std::vector<TimedReport>& reports) {
    long long last = 0;
    long long due = nowMicroseconds();
    for (const TimedReport& report : reports) {
        due += report.delayMicroseconds;
        waitUntilMicroseconds(due);
        last = sendReport(report.bytes);
    }
    return last;
}

bool SimulatedPen::typeScan(const std::string& text, const ScanTyping& typing,
                            long long* lastReportMicroseconds) {
    const auto reports = scanReports(text, typing);
    if (!reports) {
        return false;
    }
    const long long last = sendReports(*reports);
    if (lastReportMicroseconds != nullptr) {
        *lastReportMicroseconds = last;
    }
    return true;
}

std::vector<OutputReport> SimulatedPen::outputReports() const {
    return server_->outputs();
}

int SimulatedPen::openHandleCount(std::chrono::milliseconds minimumAge) const {
    return server_->openHandles(minimumAge);
}

unsigned SimulatedPen::pendingOutputBytes() const {
    return server_->pendingOutputBytes();
}

unsigned SimulatedPen::queuedInputReports() const {
    return server_->queuedInputReports();
}

long long SimulatedPen::lastInputTakenMicroseconds() const {
    return server_->lastInputTakenAt();
}

HandoverMutexHold::HandoverMutexHold()
    : mutex_(CreateMutexW(nullptr, TRUE, L"KVNZELKOMUTEX787463b739a8fb01167720d0e056650e")) {}

HandoverMutexHold::~HandoverMutexHold() {
    release();
}

void HandoverMutexHold::release() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

void waitUntilMicroseconds(long long deadline) {
    // Sleeps only, never spins: a spinning sender would take the CPU from the reader it measures.
    // A report may go up to a millisecond late; the next ones keep to the schedule.
    for (;;) {
        const long long left = deadline - nowMicroseconds();
        if (left <= 0) {
            return;
        }
        Sleep(left >= 2000 ? static_cast<DWORD>(left / 1000) : 1);
    }
}

}  // namespace zelko::pensim
