// A virtual pen's device object as its bus reports it: the identities that bind the HID
// minidriver to it, and the answers to the HID class driver's requests (descriptors, attributes,
// input reports in the order they were injected, output reports recorded).

#include "bus_state.h"
#include "allocated_ids.h"
#include "hid_port.h"

namespace zelko::virtualpen {
namespace {

PenSlot& slotOf(PenExtension& pen) {
    return pen.bus->pens[pen.slot];
}

NTSTATUS copyOut(PIRP irp, const void* data, ULONG length) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (irp->UserBuffer == nullptr ||
        stack->Parameters.DeviceIoControl.OutputBufferLength < length) {
        return completeRequest(irp, STATUS_BUFFER_TOO_SMALL);
    }
    RtlCopyMemory(irp->UserBuffer, data, length);
    return completeRequest(irp, STATUS_SUCCESS, length);
}

NTSTATUS deviceDescriptor(PenExtension& pen, PIRP irp) {
    hidport::HidDescriptor descriptor = {};
    descriptor.bLength = sizeof(descriptor);
    descriptor.bDescriptorType = hidport::kHidDescriptorType;
    descriptor.bcdHID = 0x0111;
    descriptor.bNumDescriptors = 1;
    descriptor.DescriptorList[0].bReportType = hidport::kReportDescriptorType;
    descriptor.DescriptorList[0].wReportLength = static_cast<USHORT>(slotOf(pen).descriptorLength);
    return copyOut(irp, &descriptor, sizeof(descriptor));
}

NTSTATUS deviceAttributes(PenExtension& pen, PIRP irp) {
    const PenIdentity& identity = slotOf(pen).identity;
    hidport::DeviceAttributes attributes = {};
    attributes.Size = sizeof(attributes);
    attributes.VendorID = identity.vendorId;
    attributes.ProductID = identity.productId;
    attributes.VersionNumber = identity.versionNumber;
    return copyOut(irp, &attributes, sizeof(attributes));
}

NTSTATUS deviceString(PIRP irp) {
    static const wchar_t kName[] = L"ZELKO virtual pen";
    return copyOut(irp, kName, sizeof(kName));
}

void NTAPI cancelRead(PDEVICE_OBJECT device, PIRP irp) {
    IoReleaseCancelSpinLock(irp->CancelIrql);
    auto* pen = static_cast<PenExtension*>(device->DeviceExtension);
    {
        BusLock lock(*pen->bus);
        PenSlot& slot = slotOf(*pen);
        if (slot.pendingRead == irp) {
            slot.pendingRead = nullptr;
        }
    }
    completeRequest(irp, STATUS_CANCELLED);
}

// The class driver asks for the next input report: the oldest injected one at once, otherwise
// the request waits for the next injection (one at a time: the class driver reads one by one).
// Requests are completed after the lock is let go.
NTSTATUS readReport(PenExtension& pen, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (irp->UserBuffer == nullptr ||
        stack->Parameters.DeviceIoControl.OutputBufferLength < kInputReportSize - 1) {
        return completeRequest(irp, STATUS_BUFFER_TOO_SMALL);
    }
    NTSTATUS status = STATUS_PENDING;
    bool markedPending = false;
    {
        BusLock lock(*pen.bus);
        PenSlot& slot = slotOf(pen);
        if (!slot.plugged) {
            status = STATUS_DEVICE_NOT_CONNECTED;
        } else if (fillRead(slot, irp)) {
            status = STATUS_SUCCESS;
        } else if (slot.pendingRead != nullptr) {
            status = STATUS_DEVICE_BUSY;
        } else {
            IoMarkIrpPending(irp);
            markedPending = true;
            IoSetCancelRoutine(irp, cancelRead);
            if (irp->Cancel && IoSetCancelRoutine(irp, nullptr) != nullptr) {
                status = STATUS_CANCELLED;
            } else {
                slot.pendingRead = irp;
            }
        }
    }
    if (status == STATUS_PENDING) {
        return STATUS_PENDING;
    }
    completeRequest(irp, status, status == STATUS_SUCCESS ? kInputReportSize - 1 : 0);
    // A request marked pending is answered as pending, even when it was completed already.
    return markedPending ? STATUS_PENDING : status;
}

// The program wrote an output report: kept as it was written, report id first.
NTSTATUS writeReport(PenExtension& pen, PIRP irp) {
    auto* packet = static_cast<HID_XFER_PACKET*>(irp->UserBuffer);
    if (packet == nullptr || packet->reportBuffer == nullptr) {
        return completeRequest(irp, STATUS_INVALID_PARAMETER);
    }
    uint8_t report[kOutputReportSize] = {};
    report[0] = packet->reportId;
    for (ULONG i = 0; i + 1 < kOutputReportSize && i < packet->reportBufferLen; ++i) {
        report[i + 1] = packet->reportBuffer[i];
    }
    {
        BusLock lock(*pen.bus);
        PenSlot& slot = slotOf(pen);
        if (!slot.plugged) {
            return completeRequest(irp, STATUS_DEVICE_NOT_CONNECTED);
        }
        if (slot.output.pushDroppingOldest(report)) {
            ++slot.outputLost;
        }
    }
    // The bytes the program wrote, its report id byte included when the pen has no ids.
    const ULONG written = packet->reportBufferLen + (packet->reportId == 0 ? 1 : 0);
    return completeRequest(irp, STATUS_SUCCESS, written);
}

NTSTATUS queryId(PenExtension& pen, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    PenIdentity identity;
    {
        BusLock lock(*pen.bus);
        identity = slotOf(pen).identity;
    }
    wchar_t* text = nullptr;
    switch (stack->Parameters.QueryId.IdType) {
        case BusQueryDeviceID:
            text = penDeviceId(identity);
            break;
        case BusQueryInstanceID:
            text = penInstanceId(pen.slot);
            break;
        case BusQueryHardwareIDs:
            text = penHardwareIds(identity);
            break;
        case BusQueryCompatibleIDs:
            text = penCompatibleIds();
            break;
        default:
            return completeRequest(irp, irp->IoStatus.Status, irp->IoStatus.Information);
    }
    if (text == nullptr) {
        return completeRequest(irp, STATUS_NO_MEMORY);
    }
    return completeRequest(irp, STATUS_SUCCESS, reinterpret_cast<ULONG_PTR>(text));
}

NTSTATUS targetRelation(PDEVICE_OBJECT device, PIRP irp) {
    auto* relations = static_cast<PDEVICE_RELATIONS>(
        ExAllocatePoolWithTag(PagedPool, sizeof(DEVICE_RELATIONS), kPoolTag));
    if (relations == nullptr) {
        return completeRequest(irp, STATUS_NO_MEMORY);
    }
    ObReferenceObject(device);
    relations->Count = 1;
    relations->Objects[0] = device;
    return completeRequest(irp, STATUS_SUCCESS, reinterpret_cast<ULONG_PTR>(relations));
}

// The system has removed the pen's device: gone for good when the test unplugged it; otherwise
// (the bus itself goes) the bus deletes it at its own removal.
NTSTATUS removeDevice(PenExtension& pen, PIRP irp) {
    PDEVICE_OBJECT device = nullptr;
    PIRP read = nullptr;
    {
        BusLock lock(*pen.bus);
        PenSlot& slot = slotOf(pen);
        read = takePendingRead(slot);
        if (slot.plugged) {
            slot.pdoRemoved = true;
        } else {
            device = slot.pdo;
            slot.inUse = false;
            slot.pdo = nullptr;
        }
    }
    if (read != nullptr) {
        completeRequest(read, STATUS_DELETE_PENDING);
    }
    const NTSTATUS status = completeRequest(irp, STATUS_SUCCESS);
    if (device != nullptr) {
        IoDeleteDevice(device);
    }
    return status;
}

}  // namespace

PIRP takePendingRead(PenSlot& slot) {
    PIRP read = slot.pendingRead;
    slot.pendingRead = nullptr;
    if (read != nullptr && IoSetCancelRoutine(read, nullptr) == nullptr) {
        return nullptr;  // being cancelled: the cancel routine completes it
    }
    return read;
}

bool fillRead(PenSlot& slot, PIRP read) {
    uint8_t report[kInputReportSize];
    if (!slot.input.pop(report)) {
        return false;
    }
    // Without report ids the class driver takes the data bytes only and puts the id 0 before them.
    RtlCopyMemory(read->UserBuffer, report + 1, kInputReportSize - 1);
    return true;
}

NTSTATUS dispatchHidRequest(PenExtension& pen, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    switch (stack->Parameters.DeviceIoControl.IoControlCode) {
        case hidport::kGetDeviceDescriptor:
            return deviceDescriptor(pen, irp);
        case hidport::kGetReportDescriptor: {
            PenSlot& slot = slotOf(pen);
            return copyOut(irp, slot.descriptor, static_cast<ULONG>(slot.descriptorLength));
        }
        case hidport::kGetDeviceAttributes:
            return deviceAttributes(pen, irp);
        case hidport::kGetString:
            return deviceString(irp);
        case hidport::kReadReport:
            return readReport(pen, irp);
        case hidport::kWriteReport:
            return writeReport(pen, irp);
        case hidport::kActivateDevice:
        case hidport::kDeactivateDevice:
            return completeRequest(irp, STATUS_SUCCESS);
        default:
            return completeRequest(irp, STATUS_NOT_SUPPORTED);
    }
}

NTSTATUS dispatchPenPnp(PenExtension& pen, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    switch (stack->MinorFunction) {
        case IRP_MN_QUERY_ID:
            return queryId(pen, irp);
        case IRP_MN_QUERY_CAPABILITIES: {
            PDEVICE_CAPABILITIES capabilities = stack->Parameters.DeviceCapabilities.Capabilities;
            capabilities->Removable = 1;
            capabilities->SurpriseRemovalOK = 1;
            capabilities->UniqueID = 0;
            return completeRequest(irp, STATUS_SUCCESS);
        }
        case IRP_MN_QUERY_DEVICE_RELATIONS:
            if (stack->Parameters.QueryDeviceRelations.Type == TargetDeviceRelation) {
                return targetRelation(slotOf(pen).pdo, irp);
            }
            return completeRequest(irp, irp->IoStatus.Status, irp->IoStatus.Information);
        case IRP_MN_START_DEVICE:
        case IRP_MN_STOP_DEVICE:
        case IRP_MN_QUERY_STOP_DEVICE:
        case IRP_MN_CANCEL_STOP_DEVICE:
        case IRP_MN_QUERY_REMOVE_DEVICE:
        case IRP_MN_CANCEL_REMOVE_DEVICE:
        case IRP_MN_SURPRISE_REMOVAL:
            return completeRequest(irp, STATUS_SUCCESS);
        case IRP_MN_REMOVE_DEVICE:
            return removeDevice(pen, irp);
        default:
            return completeRequest(irp, irp->IoStatus.Status, irp->IoStatus.Information);
    }
}

}  // namespace zelko::virtualpen
