#pragma once
// What a test process asks of the virtual pen bus driver through DeviceIoControl on its control
// device: plug in a pen with a HID identity, unplug it, hand it input reports to deliver, and take
// the output reports the program wrote to it. Shared by the driver and the test side; portable
// (no Windows headers), so that the kernel driver can include it too.

#include <stdint.h>

namespace zelko::virtualpen {

// The control device, as a Win32 path and as the driver names it.
constexpr wchar_t kControlDevicePath[] = L"\\\\.\\ZelkoVirtualPen";
constexpr wchar_t kControlDeviceName[] = L"\\Device\\ZelkoVirtualPen";
constexpr wchar_t kControlDeviceLink[] = L"\\DosDevices\\ZelkoVirtualPen";

// CTL_CODE(FILE_DEVICE_UNKNOWN, function, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr uint32_t controlCode(uint32_t function) {
    return (0x22u << 16) | (function << 2);
}

constexpr uint32_t kPlugPenCode = controlCode(0x900);            // PenIdentity -> PenNumber
constexpr uint32_t kUnplugPenCode = controlCode(0x901);          // PenNumber -> nothing
constexpr uint32_t kInjectReportsCode = controlCode(0x902);      // InjectRequest -> nothing
constexpr uint32_t kTakeOutputReportsCode = controlCode(0x903);  // PenNumber -> OutputReports
constexpr uint32_t kQueryPenCode = controlCode(0x904);           // PenNumber -> PenStatus

// The pen's reports as the program reads and writes them: byte 0 is the report id, always 0 (the
// report descriptor declares no report ids), then the data bytes.
constexpr uint32_t kInputReportSize = 4;
constexpr uint32_t kOutputReportSize = 2;

constexpr uint32_t kMaxPens = 8;
constexpr uint32_t kInputQueueCapacity = 1024;  // input reports waiting for the HID class driver
constexpr uint32_t kOutputLogCapacity = 64;     // output reports kept until the test takes them
constexpr uint32_t kMaxInjectedReports = 256;   // input reports in one request

struct PenIdentity {
    uint16_t vendorId;
    uint16_t productId;
    uint16_t versionNumber;
    uint16_t usagePage;  // of the top-level collection
    uint16_t usage;
};

// A plugged-in pen: 1 to kMaxPens.
struct PenNumber {
    uint32_t value;
};

struct InjectRequest {
    uint32_t pen;
    uint32_t count;  // reports used of `reports`; the request may be cut after them
    uint8_t reports[kMaxInjectedReports][kInputReportSize];
};

// The output reports written since the last take, oldest first; `lost` counts those that did not
// fit the log (the oldest go first).
struct OutputReports {
    uint32_t count;
    uint32_t lost;
    uint8_t reports[kOutputLogCapacity][kOutputReportSize];
};

struct PenStatus {
    uint32_t plugged;             // reported to the system as present
    uint32_t readPending;         // the HID class driver waits for an input report
    uint32_t queuedInputReports;  // injected, not yet taken by the HID class driver
};

// Size of an inject request that carries `count` reports.
constexpr uint32_t injectRequestSize(uint32_t count) {
    return static_cast<uint32_t>(sizeof(uint32_t) * 2 + count * kInputReportSize);
}

}  // namespace zelko::virtualpen
