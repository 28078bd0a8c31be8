#include "virtualpen/win32/virtual_pen.h"

#include "virtualpen/win32/device_info_set.h"

#include <setupapi.h>

// MinGW's HID header declares the hid.dll functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <cstdio>
#include <cwctype>
#include <thread>
#include <vector>

namespace zelko::virtualpen {
namespace {

UniqueFileHandle openControlDevice() {
    return UniqueFileHandle(CreateFileW(kControlDevicePath, GENERIC_READ | GENERIC_WRITE, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
}

// One request on the control device: `in` goes to the driver, the answer (if any) into `out`.
template <typename In>
bool control(HANDLE device, std::uint32_t code, const In& in, void* out = nullptr,
             DWORD outSize = 0) {
    DWORD returned = 0;
    return DeviceIoControl(device, code, const_cast<In*>(&in), sizeof(In), out, outSize, &returned,
                           nullptr) != FALSE;
}

// The device paths of the present HID interfaces.
std::vector<std::wstring> presentHidPaths() {
    std::vector<std::wstring> paths;
    GUID hidClass;
    HidD_GetHidGuid(&hidClass);
    DeviceInfoSet set(
        SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set) {
        return paths;
    }
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    for (DWORD index = 0;
         SetupDiEnumDeviceInterfaces(set.get(), nullptr, &hidClass, index, &interfaceData);
         ++index) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, nullptr, 0, &size, nullptr);
        std::vector<std::uint8_t> storage(size + sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (SetupDiGetDeviceInterfaceDetailW(set.get(), &interfaceData, detail,
                                             static_cast<DWORD>(storage.size()), nullptr,
                                             nullptr)) {
            paths.emplace_back(detail->DevicePath);
        }
    }
    return paths;
}

std::wstring lowerCase(std::wstring text) {
    for (wchar_t& character : text) {
        character = static_cast<wchar_t>(std::towlower(character));
    }
    return text;
}

}  // namespace

PenIdentity zelkoPenIdentity() {
    PenIdentity identity = {};
    identity.vendorId = 0x1A7F;
    identity.productId = 0x0001;
    identity.versionNumber = 0x0100;
    identity.usagePage = 0x0001;
    identity.usage = 0x0000;
    return identity;
}

bool virtualPenBusAvailable() {
    return static_cast<bool>(openControlDevice());
}

VirtualPen::VirtualPen(const PenIdentity& identity)
    : identity_(identity), control_(openControlDevice()) {
    PenNumber number = {};
    if (control_ && control(control_.get(), kPlugPenCode, identity_, &number, sizeof(number))) {
        number_ = number.value;
    }
}

VirtualPen::~VirtualPen() {
    unplug();
}

bool VirtualPen::query(PenStatus& status) const {
    const PenNumber number = {number_};
    return number_ != 0 && control(control_.get(), kQueryPenCode, number, &status, sizeof(status));
}

bool VirtualPen::waitUntilPresent(std::chrono::milliseconds timeout) const {
    if (number_ == 0) {
        return false;
    }
    // The HID class driver names the pen's HID device after its device id and instance (the slot).
    wchar_t pattern[64];
    std::swprintf(pattern, 64, L"#vid_%04x&pid_%04x#%u#", identity_.vendorId, identity_.productId,
                  number_);
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (const std::wstring& path : presentHidPaths()) {
            if (lowerCase(path).find(pattern) == std::wstring::npos) {
                continue;
            }
            // An interface left over from a session that ended with the pen plugged is listed
            // too, but only the living device opens.
            UniqueFileHandle device(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
            if (device) {
                return true;
            }
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool VirtualPen::inject(const std::vector<InputReport>& reports) const {
    if (number_ == 0) {
        return false;
    }
    std::size_t sent = 0;
    while (sent < reports.size()) {
        InjectRequest request = {};
        request.pen = number_;
        while (sent < reports.size() && request.count < kMaxInjectedReports) {
            for (std::size_t i = 0; i < kInputReportSize; ++i) {
                request.reports[request.count][i] = reports[sent][i];
            }
            ++request.count;
            ++sent;
        }
        DWORD returned = 0;
        if (!DeviceIoControl(control_.get(), kInjectReportsCode, &request,
                             injectRequestSize(request.count), nullptr, 0, &returned, nullptr)) {
            return false;
        }
    }
    return true;
}

std::vector<OutputReport> VirtualPen::takeOutputReports() const {
    std::vector<OutputReport> reports;
    const PenNumber number = {number_};
    OutputReports taken = {};
    if (number_ != 0 &&
        control(control_.get(), kTakeOutputReportsCode, number, &taken, sizeof(taken))) {
        for (std::uint32_t i = 0; i < taken.count && i < kOutputLogCapacity; ++i) {
            OutputReport report{};
            for (std::size_t j = 0; j < kOutputReportSize; ++j) {
                report[j] = taken.reports[i][j];
            }
            reports.push_back(report);
        }
    }
    return reports;
}

bool VirtualPen::unplug(std::chrono::milliseconds timeout) {
    if (number_ == 0) {
        return true;
    }
    const PenNumber number = {number_};
    const bool unplugged = control(control_.get(), kUnplugPenCode, number);
    // The slot is free again once the system has removed the pen's devices.
    const auto end = std::chrono::steady_clock::now() + timeout;
    PenStatus status = {};
    while (unplugged && query(status) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool removed = unplugged && !query(status);
    number_ = 0;
    return removed;
}

std::string reportText(const OutputReport& report) {
    std::string text;
    for (std::size_t i = 0; i < report.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof(byte), i == 0 ? "%02X" : " %02X", report[i]);
        text += byte;
    }
    return text;
}

}  // namespace zelko::virtualpen
