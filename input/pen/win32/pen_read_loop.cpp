// The read loop. Each pending read carries an event; the thread sleeps in one wait on that event
// and the stop request, woken at the latest when the next handover test or keep-alive is due.

#include "pen/win32/pen_read_loop.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "pen/scan_assembler.h"
#include "pen/win32/hid_interfaces.h"
#include "pen/win32/overlapped_operation.h"
#include "pen/win32/pen_commands.h"
#include "pen/win32/pen_timing.h"

namespace zelko {

const wchar_t kHandoverMutexName[] = L"KVNZELKOMUTEX787463b739a8fb01167720d0e056650e";

bool handoverInProgress() {
    // Only looked at, never created: a momentary mutex of ours would look like a handover to the
    // readers of other processes and to a farewell in progress.
    UniqueHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, kHandoverMutexName));
    return mutex || GetLastError() == ERROR_ACCESS_DENIED;
}

namespace {

class ReadLoop {
  public:
    ReadLoop(PenReader& reader, HANDLE device) : reader_(reader), device_(device) {}

    void run() {
        if (!read_.valid() || !startRead()) {
            return;
        }
        DWORD handoverTested = GetTickCount();
        while (readerKeepsRunning(reader_)) {
            const DWORD now = GetTickCount();
            const DWORD timeout = std::min(timeRemaining(lastProgress_, now, kKeepAliveSilenceMs),
                                           timeRemaining(handoverTested, now, kHandoverTestMs));
            const HANDLE waits[2] = {read_.event(), reader_.stopEvent.get()};
            WaitForMultipleObjects(waits[1] != nullptr ? 2 : 1, waits, FALSE, timeout);
            if (!readerKeepsRunning(reader_)) {
                break;
            }

            const auto result = read_.poll();
            if (result.complete) {
                if (!result.succeeded || !takeBytes(result.bytes) || !startRead()) {
                    return;  // device error: the caller lets go of the pen
                }
            } else if (timeExpired(lastProgress_, GetTickCount(), kKeepAliveSilenceMs)) {
                if (!keepAlive()) {
                    return;
                }
            }

            if (timeExpired(handoverTested, GetTickCount(), kHandoverTestMs)) {
                handoverTested = GetTickCount();
                if (handoverInProgress()) {
                    return;  // the pending read is cancelled as the loop ends
                }
                // Only this thread writes penPresent, so it may look without the lock; the lock
                // is taken for the change, which the tray reads.
                if (reader_.penPresent != 1) {
                    MutexLock guard(reader_.lock);
                    reader_.penPresent = 1;
                    notifyTargetWindow(reader_, kPenLinkNotice, 0);
                }
            }
        }
    }

  private:
    // Reads the bytes still missing of the current report.
    bool startRead() {
        lastProgress_ = GetTickCount();
        return read_.read(device_, report_ + reportBytes_, kReportSize - reportBytes_) ==
               OverlappedOperation::Start::Pending;
    }

    // A read completed; false when the device reports nothing more (end of file).
    bool takeBytes(DWORD bytes) {
        if (bytes == 0) {
            return false;
        }
        reportBytes_ += std::min<DWORD>(bytes, kReportSize - reportBytes_);
        if (reportBytes_ == kReportSize) {
            reportBytes_ = 0;
            handleReport();
        }
        return true;
    }

    void handleReport() {
        ScanAssembler::Step step = assembler_.feed(report_);
        if (step.scanStarted && reader_.onScanStart != nullptr) {
            reader_.onScanStart(reader_.scanStartContext);
        }
        if (step.completedScan) {
            MutexLock guard(reader_.lock);
            reader_.scans.push(std::move(*step.completedScan));
            notifyTargetWindow(reader_, kPenScanReady, 0);
        }
    }

    // After 3 s of silence: cancel the read, send the announce report on this handle, read on.
    // False when the device failed.
    bool keepAlive() {
        const auto cancelled = read_.cancelAndFinish();
        if (cancelled.succeeded) {
            // The report arrived just before the cancel took effect.
            return takeBytes(cancelled.bytes) && startRead();
        }
        if (cancelled.error != ERROR_OPERATION_ABORTED) {
            return false;
        }
        if (writePenReport(reader_, device_, PenCommand::Announce, true) ==
            ReportWrite::DeviceError) {
            return false;
        }
        assembler_.dropPartialScan();
        return startRead();
    }

    PenReader& reader_;
    HANDLE device_;
    std::uint8_t report_[kReportSize] = {};
    DWORD reportBytes_ = 0;
    DWORD lastProgress_ = 0;
    ScanAssembler assembler_;
    OverlappedOperation read_;  // last member: it ends before the buffer goes
};

}  // namespace

void runReadLoop(PenReader& reader) {
    std::wstring path;
    {
        MutexLock guard(reader.lock);
        path = reader.devicePath;
    }
    if (path.empty()) {
        return;
    }
    UniqueFileHandle device(openPenOverlapped(path.c_str()));
    if (!device) {
        return;
    }
    // Room for a whole scan while the thread is busy elsewhere (a keep-alive); a driver that
    // refuses leaves the default queue, and reading goes on.
    setHidInputReportQueue(device.get(), path, kPenInputReportQueue);
    ReadLoop(reader, device.get()).run();
}

}  // namespace zelko
