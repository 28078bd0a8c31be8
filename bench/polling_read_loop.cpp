// The 1 ms polling read loop: an OVERLAPPED without event, GetOverlappedResult without waiting,
// the handover test and a 1 ms sleep on every round.

#include "polling_read_loop.h"

#include "pen/scan_assembler.h"
#include "pen/win32/pen_commands.h"
#include "pen/win32/pen_read_loop.h"
#include "pen/win32/pen_timing.h"

namespace zelko::bench {

void runPollingReadLoop(PenReader& reader) {
    std::wstring path;
    {
        MutexLock guard(reader.lock);
        path = reader.devicePath;
    }
    UniqueFileHandle device(openPenOverlapped(path.c_str()));
    if (!device) {
        return;
    }
    std::uint8_t report[kReportSize] = {};
    DWORD reportBytes = 0;
    ScanAssembler assembler;
    OVERLAPPED overlapped{};
    const auto issueRead = [&] {
        overlapped = OVERLAPPED{};
        if (ReadFile(device.get(), report + reportBytes, kReportSize - reportBytes, nullptr,
                     &overlapped)) {
            return true;
        }
        return GetLastError() == ERROR_IO_PENDING;
    };
    const auto finishCancelled = [&] {
        DWORD bytes = 0;
        GetOverlappedResult(device.get(), &overlapped, &bytes, TRUE);
    };
    while (readerKeepsRunning(reader)) {
        if (!issueRead()) {
            return;
        }
        DWORD lastProgress = GetTickCount();
        bool timedOut = false;
        for (;;) {
            if (!readerKeepsRunning(reader)) {
                CancelIo(device.get());
            }
            DWORD bytes = 0;
            if (GetOverlappedResult(device.get(), &overlapped, &bytes, FALSE)) {
                lastProgress = GetTickCount();
                reportBytes += bytes;
                if (reportBytes >= kReportSize) {
                    break;
                }
                if (!issueRead()) {
                    return;
                }
            } else {
                const DWORD error = GetLastError();
                if (error == ERROR_IO_INCOMPLETE) {
                    timedOut = false;
                    if (timeExpired(lastProgress, GetTickCount(), kKeepAliveSilenceMs)) {
                        timedOut = true;
                        CancelIo(device.get());
                    }
                } else if (error == ERROR_OPERATION_ABORTED && timedOut) {
                    timedOut = false;
                    writePenReport(reader, device.get(), PenCommand::Announce, true);
                    if (!issueRead()) {
                        return;
                    }
                    lastProgress = GetTickCount();
                    assembler.dropPartialScan();
                } else {
                    return;
                }
            }
            if (handoverInProgress()) {
                CancelIo(device.get());
            }
            {
                MutexLock guard(reader.lock);
                if (reader.penPresent != 1) {
                    reader.penPresent = 1;
                    notifyTargetWindow(reader, kPenLinkNotice, 0);
                }
            }
            Sleep(1);
        }
        reportBytes = 0;
        auto step = assembler.feed(report);
        if (step.completedScan) {
            MutexLock guard(reader.lock);
            reader.scans.push(std::move(*step.completedScan));
            notifyTargetWindow(reader, kPenScanReady, 0);
        }
    }
    CancelIo(device.get());
    finishCancelled();
}

}  // namespace zelko::bench
