// The virtual pen bus driver (ZelkoVirtualPenBus.sys): the function driver of a root-enumerated
// bus device. It reports the pens a test plugs in through its control device as its children;
// the HID minidriver binds to each pen and the HID class driver above it makes the pen the HID
// device the program finds, reads and writes.

#include "bus_state.h"

namespace zelko::virtualpen {
namespace {

NTSTATUS passDown(BusState& bus, PIRP irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(bus.lowerDevice, irp);
}

NTSTATUS busRelations(BusState& bus, PIRP irp) {
    PDEVICE_OBJECT present[kMaxPens];
    ULONG count = 0;
    {
        BusLock lock(bus);
        for (PenSlot& slot : bus.pens) {
            if (slot.inUse && slot.plugged) {
                present[count++] = slot.pdo;
            }
        }
    }
    const SIZE_T size = sizeof(DEVICE_RELATIONS) + sizeof(PDEVICE_OBJECT) * (count > 0 ? count : 1);
    auto* relations =
        static_cast<PDEVICE_RELATIONS>(ExAllocatePoolWithTag(PagedPool, size, kPoolTag));
    if (relations == nullptr) {
        return completeRequest(irp, STATUS_NO_MEMORY);
    }
    relations->Count = count;
    for (ULONG i = 0; i < count; ++i) {
        ObReferenceObject(present[i]);
        relations->Objects[i] = present[i];
    }
    // Relations a driver above has reported are replaced: the bus knows all its children.
    if (auto* previous = reinterpret_cast<PDEVICE_RELATIONS>(irp->IoStatus.Information)) {
        for (ULONG i = 0; i < previous->Count; ++i) {
            ObDereferenceObject(previous->Objects[i]);
        }
        ExFreePool(previous);
    }
    irp->IoStatus.Information = reinterpret_cast<ULONG_PTR>(relations);
    irp->IoStatus.Status = STATUS_SUCCESS;
    return passDown(bus, irp);
}

void removeControlDevice(BusState& bus) {
    if (bus.controlLinkMade) {
        UNICODE_STRING link;
        RtlInitUnicodeString(&link, kControlDeviceLink);
        IoDeleteSymbolicLink(&link);
        bus.controlLinkMade = false;
    }
    if (bus.controlDevice != nullptr) {
        IoDeleteDevice(bus.controlDevice);
        bus.controlDevice = nullptr;
    }
}

// The bus goes: every pen with it. The system has already removed the pens' devices.
NTSTATUS removeBus(BusState& bus, PIRP irp) {
    PDEVICE_OBJECT removed[kMaxPens];
    PIRP reads[kMaxPens];
    ULONG removedCount = 0;
    ULONG readCount = 0;
    {
        BusLock lock(bus);
        for (PenSlot& slot : bus.pens) {
            if (!slot.inUse) {
                continue;
            }
            slot.plugged = false;
            if (PIRP read = takePendingRead(slot)) {
                reads[readCount++] = read;
            }
            if (slot.pdoRemoved) {
                removed[removedCount++] = slot.pdo;
                slot.inUse = false;
                slot.pdo = nullptr;
            }
        }
    }
    for (ULONG i = 0; i < readCount; ++i) {
        completeRequest(reads[i], STATUS_DELETE_PENDING);
    }
    for (ULONG i = 0; i < removedCount; ++i) {
        IoDeleteDevice(removed[i]);
    }
    removeControlDevice(bus);
    irp->IoStatus.Status = STATUS_SUCCESS;
    IoSkipCurrentIrpStackLocation(irp);
    const NTSTATUS status = IoCallDriver(bus.lowerDevice, irp);
    IoDetachDevice(bus.lowerDevice);
    IoDeleteDevice(bus.busDevice);
    return status;
}

NTSTATUS dispatchBusPnp(BusState& bus, PIRP irp) {
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    switch (stack->MinorFunction) {
        case IRP_MN_QUERY_DEVICE_RELATIONS:
            if (stack->Parameters.QueryDeviceRelations.Type == BusRelations) {
                return busRelations(bus, irp);
            }
            return passDown(bus, irp);
        case IRP_MN_START_DEVICE:
        case IRP_MN_SURPRISE_REMOVAL:
        case IRP_MN_QUERY_REMOVE_DEVICE:
        case IRP_MN_CANCEL_REMOVE_DEVICE:
        case IRP_MN_STOP_DEVICE:
        case IRP_MN_QUERY_STOP_DEVICE:
        case IRP_MN_CANCEL_STOP_DEVICE:
            irp->IoStatus.Status = STATUS_SUCCESS;
            return passDown(bus, irp);
        case IRP_MN_REMOVE_DEVICE:
            return removeBus(bus, irp);
        default:
            return passDown(bus, irp);
    }
}

NTSTATUS createControlDevice(BusState& bus) {
    UNICODE_STRING name;
    RtlInitUnicodeString(&name, kControlDeviceName);
    PDEVICE_OBJECT control = nullptr;
    NTSTATUS status = IoCreateDevice(bus.driver, sizeof(ControlExtension), &name,
                                     FILE_DEVICE_UNKNOWN, 0, FALSE, &control);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    auto* extension = static_cast<ControlExtension*>(control->DeviceExtension);
    extension->kind = DeviceKind::Control;
    extension->bus = &bus;
    bus.controlDevice = control;
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, kControlDeviceLink);
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        removeControlDevice(bus);
        return status;
    }
    bus.controlLinkMade = true;
    control->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

NTSTATUS NTAPI addDevice(PDRIVER_OBJECT driver, PDEVICE_OBJECT physicalDevice) {
    PDEVICE_OBJECT busDevice = nullptr;
    NTSTATUS status = IoCreateDevice(driver, sizeof(BusState), nullptr, FILE_DEVICE_BUS_EXTENDER, 0,
                                     FALSE, &busDevice);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    auto* bus = static_cast<BusState*>(busDevice->DeviceExtension);
    RtlZeroMemory(bus, sizeof(*bus));
    bus->kind = DeviceKind::Bus;
    KeInitializeSpinLock(&bus->lock);
    bus->driver = driver;
    bus->busDevice = busDevice;
    bus->physicalDevice = physicalDevice;
    status = createControlDevice(*bus);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(busDevice);
        return status;
    }
    bus->lowerDevice = IoAttachDeviceToDeviceStack(busDevice, physicalDevice);
    if (bus->lowerDevice == nullptr) {
        removeControlDevice(*bus);
        IoDeleteDevice(busDevice);
        return STATUS_NO_SUCH_DEVICE;
    }
    busDevice->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

NTSTATUS NTAPI dispatchCreateClose(PDEVICE_OBJECT device, PIRP irp) {
    return completeRequest(irp, kindOf(device) == DeviceKind::Control
                                    ? STATUS_SUCCESS
                                    : STATUS_INVALID_DEVICE_REQUEST);
}

NTSTATUS NTAPI dispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    if (kindOf(device) != DeviceKind::Control) {
        return completeRequest(irp, STATUS_INVALID_DEVICE_REQUEST);
    }
    return dispatchControlRequest(*static_cast<ControlExtension*>(device->DeviceExtension)->bus,
                                  irp);
}

NTSTATUS NTAPI dispatchInternalDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    if (kindOf(device) != DeviceKind::Pen) {
        return completeRequest(irp, STATUS_INVALID_DEVICE_REQUEST);
    }
    return dispatchHidRequest(*static_cast<PenExtension*>(device->DeviceExtension), irp);
}

NTSTATUS NTAPI dispatchPnp(PDEVICE_OBJECT device, PIRP irp) {
    switch (kindOf(device)) {
        case DeviceKind::Bus:
            return dispatchBusPnp(*static_cast<BusState*>(device->DeviceExtension), irp);
        case DeviceKind::Pen:
            return dispatchPenPnp(*static_cast<PenExtension*>(device->DeviceExtension), irp);
        default:
            return completeRequest(irp, STATUS_NOT_SUPPORTED);
    }
}

NTSTATUS NTAPI dispatchPower(PDEVICE_OBJECT device, PIRP irp) {
    PoStartNextPowerIrp(irp);
    if (kindOf(device) == DeviceKind::Bus) {
        IoSkipCurrentIrpStackLocation(irp);
        return PoCallDriver(static_cast<BusState*>(device->DeviceExtension)->lowerDevice, irp);
    }
    return completeRequest(irp, STATUS_SUCCESS);
}

void NTAPI unload(PDRIVER_OBJECT) {}

}  // namespace

NTSTATUS completeRequest(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

}  // namespace zelko::virtualpen

extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING) {
    using namespace zelko::virtualpen;
    driver->DriverExtension->AddDevice = addDevice;
    driver->DriverUnload = unload;
    driver->MajorFunction[IRP_MJ_CREATE] = dispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = dispatchCreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = dispatchDeviceControl;
    driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = dispatchInternalDeviceControl;
    driver->MajorFunction[IRP_MJ_PNP] = dispatchPnp;
    driver->MajorFunction[IRP_MJ_POWER] = dispatchPower;
    return STATUS_SUCCESS;
}
