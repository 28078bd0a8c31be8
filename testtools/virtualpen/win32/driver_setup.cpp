#include "virtualpen/win32/driver_setup.h"

#include <initguid.h>  // GUID_DEVCLASS_SYSTEM is defined here

#include <devguid.h>
#include <newdev.h>
#include <setupapi.h>

#include <chrono>
#include <thread>

#include "common/win32/unique_handle.h"
#include "common/win32/unique_resource.h"
#include "virtualpen/control_protocol.h"
#include "virtualpen/pen_ids.h"
#include "virtualpen/win32/device_info_set.h"

namespace zelko::virtualpen {
namespace {

constexpr wchar_t kBusInstanceId[] = L"ROOT\\ZELKOVPEN\\0000";
constexpr wchar_t kInfName[] = L"ZelkoVirtualPen.inf";
constexpr wchar_t kPenEnumerator[] = L"ZELKOVPEN";
constexpr const wchar_t* kServices[] = {L"ZelkoVirtualPenHid", L"ZelkoVirtualPenBus"};

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle none() { return nullptr; }
    static bool isOpen(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { CloseServiceHandle(handle); }
};
using ServiceHandle = UniqueResource<ServiceHandleTraits>;

SetupResult failure(const wchar_t* step, DWORD error = GetLastError()) {
    return {false, step, error};
}

std::wstring infPath(const std::wstring& folder) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    return path + kInfName;
}

// True once the bus driver's control device opens (the driver runs), within `timeout`.
bool waitForControlDevice(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        UniqueFileHandle control(CreateFileW(kControlDevicePath, GENERIC_READ | GENERIC_WRITE, 0,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
        if (control) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

SetupResult registerBusDevice() {
    DeviceInfoSet set(SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_SYSTEM, nullptr));
    if (!set) {
        return failure(L"SetupDiCreateDeviceInfoList");
    }
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (SetupDiOpenDeviceInfoW(set.get(), kBusInstanceId, nullptr, 0, &device)) {
        return {};  // registered by an earlier install
    }
    if (!SetupDiCreateDeviceInfoW(set.get(), kBusInstanceId, &GUID_DEVCLASS_SYSTEM, nullptr,
                                  nullptr, 0, &device)) {
        return failure(L"SetupDiCreateDeviceInfoW");
    }
    // A list of one id: the id, its terminator and the list's.
    std::wstring hardwareIds = kBusHardwareId;
    hardwareIds.push_back(L'\0');
    hardwareIds.push_back(L'\0');
    if (!SetupDiSetDeviceRegistryPropertyW(
            set.get(), &device, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(hardwareIds.data()),
            static_cast<DWORD>(hardwareIds.size() * sizeof(wchar_t)))) {
        return failure(L"SetupDiSetDeviceRegistryPropertyW(SPDRP_HARDWAREID)");
    }
    if (!SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set.get(), &device)) {
        return failure(L"SetupDiCallClassInstaller(DIF_REGISTERDEVICE)");
    }
    return {};
}

SetupResult removeBusDevice() {
    DeviceInfoSet set(SetupDiCreateDeviceInfoList(nullptr, nullptr));
    if (!set) {
        return failure(L"SetupDiCreateDeviceInfoList");
    }
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (!SetupDiOpenDeviceInfoW(set.get(), kBusInstanceId, nullptr, 0, &device)) {
        const DWORD error = GetLastError();
        return error == ERROR_NO_SUCH_DEVINST ? SetupResult{}
                                              : failure(L"SetupDiOpenDeviceInfoW", error);
    }
    if (!SetupDiCallClassInstaller(DIF_REMOVE, set.get(), &device)) {
        return failure(L"SetupDiCallClassInstaller(DIF_REMOVE)");
    }
    return {};
}

// Every pen the bus has ever reported is known to the system as a device with the minidriver
// installed; those go too, or a pen plugged in after a new install would look for the service
// that the removal deleted.
SetupResult removePenDevices() {
    DeviceInfoSet set(SetupDiGetClassDevsW(nullptr, kPenEnumerator, nullptr, DIGCF_ALLCLASSES));
    if (!set) {
        const DWORD error = GetLastError();
        // No device was ever enumerated by the bus.
        return error == ERROR_INVALID_DATA ? SetupResult{}
                                           : failure(L"SetupDiGetClassDevsW(ZELKOVPEN)", error);
    }
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set.get(), index, &device); ++index) {
        if (!SetupDiCallClassInstaller(DIF_REMOVE, set.get(), &device)) {
            return failure(L"SetupDiCallClassInstaller(DIF_REMOVE) of a pen");
        }
    }
    return {};
}

// The system's copy of the INF (oemN.inf) goes; a copy that is not there is no failure.
SetupResult removeOemInf(const std::wstring& folder) {
    wchar_t destination[MAX_PATH] = {};
    wchar_t* namePart = nullptr;
    const std::wstring path = infPath(folder);
    if (!SetupCopyOEMInfW(path.c_str(), nullptr, SPOST_NONE, SP_COPY_REPLACEONLY, destination,
                          MAX_PATH, nullptr, &namePart)) {
        return {};
    }
    if (namePart != nullptr && !SetupUninstallOEMInfW(namePart, SUOI_FORCEDELETE, nullptr)) {
        return failure(L"SetupUninstallOEMInfW");
    }
    return {};
}

SetupResult removeServices() {
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return failure(L"OpenSCManagerW");
    }
    for (const wchar_t* name : kServices) {
        ServiceHandle service(OpenServiceW(manager.get(), name, SERVICE_STOP | DELETE));
        if (!service) {
            continue;
        }
        SERVICE_STATUS status = {};
        ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
        if (!DeleteService(service.get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) {
            return failure(L"DeleteService");
        }
    }
    return {};
}

}  // namespace

SetupResult installVirtualPenDrivers(const std::wstring& folder) {
    SetupResult result = registerBusDevice();
    if (!result.ok) {
        return result;
    }
    BOOL rebootRequired = FALSE;
    const std::wstring path = infPath(folder);
    if (!UpdateDriverForPlugAndPlayDevicesW(nullptr, kBusHardwareId, path.c_str(),
                                            INSTALLFLAG_FORCE, &rebootRequired)) {
        return failure(L"UpdateDriverForPlugAndPlayDevicesW");
    }
    if (!waitForControlDevice(std::chrono::seconds(20))) {
        return failure(L"opening the control device", GetLastError());
    }
    return {};
}

SetupResult removeVirtualPenDrivers(const std::wstring& folder) {
    SetupResult result = removeBusDevice();
    if (result.ok) {
        result = removePenDevices();
    }
    if (result.ok) {
        result = removeOemInf(folder);
    }
    if (result.ok) {
        result = removeServices();
    }
    return result;
}

}  // namespace zelko::virtualpen
