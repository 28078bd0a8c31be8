#pragma once
// The state of the virtual pen bus: one bus device (root-enumerated), its control device, and a
// fixed number of pen slots, each with the pen's identity, the input reports waiting for the HID
// class driver, the output reports the program wrote, and the class driver's pending read. All of
// it is guarded by the bus's spin lock.

#include "kernel.h"

#include "virtualpen/control_protocol.h"
#include "virtualpen/report_descriptor.h"
#include "virtualpen/report_queue.h"

namespace zelko::virtualpen {

// Tag of the driver's pool allocations ("Zpen" in a pool dump).
constexpr ULONG kPoolTag = 0x6e65705a;

enum class DeviceKind : ULONG { Bus = 0x5a425553, Control = 0x5a43544c, Pen = 0x5a50454e };

struct PenSlot {
    bool inUse;       // a device object exists for this slot
    bool plugged;     // reported to the system as present
    bool pdoRemoved;  // the system has removed the device while it was still reported
    PDEVICE_OBJECT pdo;
    PenIdentity identity;
    uint8_t descriptor[kMaxReportDescriptorSize];
    size_t descriptorLength;
    ReportQueue<kInputReportSize, kInputQueueCapacity> input;
    ReportQueue<kOutputReportSize, kOutputLogCapacity> output;
    uint32_t outputLost;
    PIRP pendingRead;
};

struct BusState {
    DeviceKind kind;  // DeviceKind::Bus
    KSPIN_LOCK lock;
    PDRIVER_OBJECT driver;
    PDEVICE_OBJECT busDevice;
    PDEVICE_OBJECT physicalDevice;  // the root-enumerated device below the bus device
    PDEVICE_OBJECT lowerDevice;
    PDEVICE_OBJECT controlDevice;
    bool controlLinkMade;
    PenSlot pens[kMaxPens];
};

struct ControlExtension {
    DeviceKind kind;  // DeviceKind::Control
    BusState* bus;
};

struct PenExtension {
    DeviceKind kind;  // DeviceKind::Pen
    BusState* bus;
    ULONG slot;  // index into BusState::pens
};

inline DeviceKind kindOf(PDEVICE_OBJECT device) {
    return *static_cast<DeviceKind*>(device->DeviceExtension);
}

// Holds the bus's spin lock for its scope.
class BusLock {
  public:
    explicit BusLock(BusState& bus) : bus_(bus) { KeAcquireSpinLock(&bus_.lock, &irql_); }
    ~BusLock() { KeReleaseSpinLock(&bus_.lock, irql_); }
    BusLock(const BusLock&) = delete;
    BusLock& operator=(const BusLock&) = delete;

  private:
    BusState& bus_;
    KIRQL irql_;
};

// Completes `irp` with `status` and `information`; returns `status`.
NTSTATUS completeRequest(PIRP irp, NTSTATUS status, ULONG_PTR information = 0);

// The HID class driver's requests to a pen (internal device control on the pen's device).
NTSTATUS dispatchHidRequest(PenExtension& pen, PIRP irp);
// Plug and play requests to a pen's device.
NTSTATUS dispatchPenPnp(PenExtension& pen, PIRP irp);
// A test process's requests on the control device.
NTSTATUS dispatchControlRequest(BusState& bus, PIRP irp);

// Takes the pen's pending read, if it can still be completed (caller holds the lock).
PIRP takePendingRead(PenSlot& slot);
// Fills `read` with the oldest queued input report (caller holds the lock); false when none.
bool fillRead(PenSlot& slot, PIRP read);

}  // namespace zelko::virtualpen
