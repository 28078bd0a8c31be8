// The announce and farewell commands.

#include "pen/win32/pen_commands.h"

#include <string>

#include "pen/win32/overlapped_operation.h"
#include "pen/win32/pen_timing.h"

namespace zelko {
namespace {

constexpr DWORD kOutputReportSize = 2;

enum class AttemptEnd { Sent, Failed, Stopped, DeviceError };

// Waits for one pending write; more bytes to go (a short completion) are written in the same
// attempt.
AttemptEnd finishAttempt(PenReader& reader, HANDLE device, OverlappedOperation& write,
                         const std::uint8_t (&report)[kOutputReportSize], bool cancellable) {
    DWORD written = 0;
    DWORD noted = GetTickCount();
    const auto ended = [&](const OverlappedOperation::Result& result) -> AttemptEnd {
        if (result.succeeded) {
            return written + result.bytes >= kOutputReportSize ? AttemptEnd::Sent
                                                               : AttemptEnd::Failed;
        }
        return result.error == ERROR_OPERATION_ABORTED ? AttemptEnd::Failed
                                                       : AttemptEnd::DeviceError;
    };
    for (;;) {
        if (cancellable && !readerKeepsRunning(reader)) {
            const auto result = write.cancelAndFinish();
            return ended(result) == AttemptEnd::Sent ? AttemptEnd::Sent : AttemptEnd::Stopped;
        }
        const DWORD now = GetTickCount();
        const HANDLE waits[2] = {write.event(), reader.stopEvent.get()};
        const DWORD waitCount = cancellable && waits[1] != nullptr ? 2 : 1;
        WaitForMultipleObjects(waitCount, waits, FALSE, timeRemaining(noted, now, kWriteAttemptMs));

        auto result = write.poll();
        if (!result.complete) {
            if (timeExpired(noted, GetTickCount(), kWriteAttemptMs)) {
                result = write.cancelAndFinish();
            } else {
                continue;  // the stop request, tested at the top
            }
        }
        if (result.succeeded && result.bytes > 0 && written + result.bytes < kOutputReportSize) {
            written += result.bytes;
            noted = GetTickCount();
            if (write.write(device, report + written, kOutputReportSize - written) ==
                OverlappedOperation::Start::Failed) {
                return AttemptEnd::Failed;
            }
            continue;
        }
        return ended(result);
    }
}

}  // namespace

HANDLE openPenOverlapped(const wchar_t* devicePath) {
    return CreateFileW(devicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
}

ReportWrite writePenReport(PenReader& reader, HANDLE device, PenCommand command, bool cancellable) {
    const std::uint8_t report[kOutputReportSize] = {0x00, static_cast<std::uint8_t>(command)};
    OverlappedOperation write;
    for (int attempt = 0; attempt < kWriteAttempts;) {
        if (cancellable && !readerKeepsRunning(reader)) {
            return ReportWrite::Stopped;
        }
        if (write.write(device, report, kOutputReportSize) == OverlappedOperation::Start::Failed) {
            ++attempt;
            Sleep(1);
            continue;
        }
        switch (finishAttempt(reader, device, write, report, cancellable)) {
            case AttemptEnd::Sent:
                return ReportWrite::Sent;
            case AttemptEnd::Failed:
                ++attempt;
                break;
            case AttemptEnd::Stopped:
                return ReportWrite::Stopped;
            case AttemptEnd::DeviceError:
                return ReportWrite::DeviceError;
        }
    }
    return ReportWrite::NotTaken;
}

int sendPenCommand(PenReader& reader, PenCommand command, const wchar_t* devicePath,
                   bool cancellable) {
    std::wstring path;
    if (devicePath != nullptr) {
        path = devicePath;
    } else {
        MutexLock guard(reader.lock);
        path = reader.devicePath;
    }
    if (path.empty()) {
        return 0;
    }
    UniqueFileHandle device(openPenOverlapped(path.c_str()));
    if (!device) {
        return 0;
    }
    return writePenReport(reader, device.get(), command, cancellable) == ReportWrite::Sent ? 1 : 0;
}

}  // namespace zelko
