#pragma once
// The HID class driver's interface to its minidrivers (hidport.h of the Windows Driver Kit), which
// MinGW-w64's DDK headers do not carry: the registration record, the device extension the class
// driver gives each minidriver device, the descriptors and the internal requests.

#include "kernel.h"

#include <hidusage.h>
#include <ddk/hidclass.h>

namespace zelko::virtualpen::hidport {

constexpr ULONG kHidRevision = 0x00000001;

struct MinidriverRegistration {
    ULONG Revision;
    PDRIVER_OBJECT DriverObject;
    PUNICODE_STRING RegistryPath;
    ULONG DeviceExtensionSize;
    BOOLEAN DevicesArePolled;
    UCHAR Reserved[3];
};

// DEVICE_OBJECT::DeviceExtension of a device the class driver made for the minidriver.
struct DeviceExtension {
    PDEVICE_OBJECT PhysicalDeviceObject;
    PDEVICE_OBJECT NextDeviceObject;
    PVOID MiniDeviceExtension;
};

#pragma pack(push, 1)
struct HidDescriptor {
    UCHAR bLength;
    UCHAR bDescriptorType;
    USHORT bcdHID;
    UCHAR bCountry;
    UCHAR bNumDescriptors;
    struct {
        UCHAR bReportType;
        USHORT wReportLength;
    } DescriptorList[1];
};
#pragma pack(pop)

struct DeviceAttributes {
    ULONG Size;
    USHORT VendorID;
    USHORT ProductID;
    USHORT VersionNumber;
    USHORT Reserved[11];
};

constexpr UCHAR kHidDescriptorType = 0x21;
constexpr UCHAR kReportDescriptorType = 0x22;

// CTL_CODE(FILE_DEVICE_KEYBOARD, id, METHOD_NEITHER, FILE_ANY_ACCESS).
constexpr ULONG hidControlCode(ULONG id) {
    return (0x0Bu << 16) | (id << 2) | 3u;
}

constexpr ULONG kGetDeviceDescriptor = hidControlCode(0);
constexpr ULONG kGetReportDescriptor = hidControlCode(1);
constexpr ULONG kReadReport = hidControlCode(2);
constexpr ULONG kWriteReport = hidControlCode(3);
constexpr ULONG kGetString = hidControlCode(4);
constexpr ULONG kActivateDevice = hidControlCode(7);
constexpr ULONG kDeactivateDevice = hidControlCode(8);
constexpr ULONG kGetDeviceAttributes = hidControlCode(9);

}  // namespace zelko::virtualpen::hidport

extern "C" NTSTATUS NTAPI
HidRegisterMinidriver(zelko::virtualpen::hidport::MinidriverRegistration*);
