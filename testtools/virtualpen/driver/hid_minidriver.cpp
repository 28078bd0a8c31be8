// The virtual pens' HID minidriver (ZelkoVirtualPenHid.sys): bound to each pen the bus driver
// reports, it registers with the HID class driver and hands every request of the class driver
// down to the pen's device object, where the bus driver answers it as a USB pen would.

#include "hid_port.h"

namespace {

using namespace zelko::virtualpen;

hidport::DeviceExtension* hidExtension(PDEVICE_OBJECT device) {
    return static_cast<hidport::DeviceExtension*>(device->DeviceExtension);
}

NTSTATUS NTAPI passDown(PDEVICE_OBJECT device, PIRP irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(hidExtension(device)->NextDeviceObject, irp);
}

NTSTATUS NTAPI addDevice(PDRIVER_OBJECT, PDEVICE_OBJECT device) {
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

NTSTATUS NTAPI dispatchPnp(PDEVICE_OBJECT device, PIRP irp) {
    // The class driver deletes its own device at removal; the pen's device object below decides
    // about itself.
    return passDown(device, irp);
}

NTSTATUS NTAPI dispatchPower(PDEVICE_OBJECT device, PIRP irp) {
    PoStartNextPowerIrp(irp);
    IoSkipCurrentIrpStackLocation(irp);
    return PoCallDriver(hidExtension(device)->NextDeviceObject, irp);
}

void NTAPI unload(PDRIVER_OBJECT) {}

}  // namespace

extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    driver->DriverExtension->AddDevice = addDevice;
    driver->DriverUnload = unload;
    driver->MajorFunction[IRP_MJ_PNP] = dispatchPnp;
    driver->MajorFunction[IRP_MJ_POWER] = dispatchPower;
    driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = passDown;

    hidport::MinidriverRegistration registration = {};
    registration.Revision = hidport::kHidRevision;
    registration.DriverObject = driver;
    registration.RegistryPath = registryPath;
    registration.DeviceExtensionSize = 0;
    registration.DevicesArePolled = FALSE;
    return HidRegisterMinidriver(&registration);
}
