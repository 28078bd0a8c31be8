// HID interfaces through SetupAPI and the HID class driver's user-mode library (hid.dll).

#include "pen/win32/hid_interfaces.h"

#include <setupapi.h>

// MinGW's HID headers declare the hid.dll functions without C linkage.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

#include <cstddef>
#include <vector>

namespace zelko {
namespace {

class DeviceInfoSet {
  public:
    explicit DeviceInfoSet(HDEVINFO set) : set_(set) {}
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
    ~DeviceInfoSet() {
        if (valid()) {
            SetupDiDestroyDeviceInfoList(set_);
        }
    }
    bool valid() const { return set_ != INVALID_HANDLE_VALUE; }
    HDEVINFO get() const { return set_; }

  private:
    HDEVINFO set_;
};

class PreparsedData {
  public:
    PreparsedData() = default;
    PreparsedData(const PreparsedData&) = delete;
    PreparsedData& operator=(const PreparsedData&) = delete;
    ~PreparsedData() {
        if (data_ != nullptr) {
            HidD_FreePreparsedData(data_);
        }
    }
    PHIDP_PREPARSED_DATA* out() { return &data_; }
    PHIDP_PREPARSED_DATA get() const { return data_; }

  private:
    PHIDP_PREPARSED_DATA data_ = nullptr;
};

}  // namespace

bool listHidInterfacePaths(std::vector<std::wstring>& paths) {
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    DeviceInfoSet set(
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.valid()) {
        return false;
    }
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &hidGuid, index, &interfaceData)) {
            break;  // no more items
        }
        DWORD requiredSize = 0;
        SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, nullptr, 0, &requiredSize,
                                         nullptr);
        if (requiredSize < 4) {
            break;
        }
        // Zeroed, suitably aligned storage of at least the required size.
        std::vector<std::max_align_t> storage(
            (requiredSize + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t) + 1);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, detail, requiredSize,
                                              nullptr, nullptr)) {
            continue;
        }
        // The path ends at its NUL or at the end of what the detail record can hold.
        const std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
        const std::size_t maxUnits =
            requiredSize > pathOffset ? (requiredSize - pathOffset) / sizeof(wchar_t) : 0;
        std::size_t length = 0;
        while (length < maxUnits && detail->DevicePath[length] != L'\0') {
            ++length;
        }
        if (length == 0 || length > kMaxDevicePathLength) {
            continue;
        }
        paths.emplace_back(detail->DevicePath, length);
    }
    return true;
}

bool identifyHidInterface(HANDLE device, const std::wstring&, HidIdentity& identity) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!HidD_GetAttributes(device, &attributes)) {
        return false;
    }
    PreparsedData preparsed;
    if (!HidD_GetPreparsedData(device, preparsed.out())) {
        return false;
    }
    HIDP_CAPS caps{};
    if (HidP_GetCaps(preparsed.get(), &caps) != HIDP_STATUS_SUCCESS) {
        return false;
    }
    identity.vendorId = attributes.VendorID;
    identity.productId = attributes.ProductID;
    identity.versionNumber = attributes.VersionNumber;
    identity.usagePage = caps.UsagePage;
    identity.usage = caps.Usage;
    return true;
}

bool setHidInputReportQueue(HANDLE device, const std::wstring&, unsigned long count) {
    return HidD_SetNumInputBuffers(device, count) != FALSE;
}

}  // namespace zelko
