// Arrivals of HID interfaces, told by the system's device notifications to a message-only window
// of the pen layer. The window lives on the thread that started the watch (the main thread, whose
// message loop delivers WM_DEVICECHANGE) and only sets the reader's arrival event.

#include "pen/win32/hid_interfaces.h"

#include <dbt.h>

// MinGW's HID headers declare the hid.dll functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <memory>

namespace zelko {
namespace {

constexpr wchar_t kArrivalWindowClass[] = L"ZelkaInput PenArrivals";

// The message-only window and its registration for HID interface notices.
class ArrivalWindow {
  public:
    ArrivalWindow(HWND window, HDEVNOTIFY notification)
        : window_(window), notification_(notification) {}
    ArrivalWindow(const ArrivalWindow&) = delete;
    ArrivalWindow& operator=(const ArrivalWindow&) = delete;
    ~ArrivalWindow() {
        UnregisterDeviceNotification(notification_);  // no notice comes for a window that goes
        DestroyWindow(window_);
    }

  private:
    HWND window_;
    HDEVNOTIFY notification_;
};

std::unique_ptr<ArrivalWindow> arrivalWindow;

LRESULT CALLBACK arrivalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICECHANGE && wParam == DBT_DEVICEARRIVAL && lParam != 0 &&
        reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)->dbch_devicetype ==
            DBT_DEVTYP_DEVICEINTERFACE) {
        if (HANDLE arrival = reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            SetEvent(arrival);
        }
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool watchHidArrivals(HANDLE arrival) {
    if (arrivalWindow || arrival == nullptr) {
        return false;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = arrivalWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kArrivalWindowClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    HWND window = CreateWindowExW(0, kArrivalWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    if (window == nullptr) {
        return false;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(arrival));

    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    HidD_GetHidGuid(&filter.dbcc_classguid);
    HDEVNOTIFY notification =
        RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (notification == nullptr) {
        DestroyWindow(window);
        return false;
    }
    arrivalWindow = std::make_unique<ArrivalWindow>(window, notification);
    return true;
}

void stopWatchingHidArrivals() {
    arrivalWindow.reset();
}

}  // namespace zelko
