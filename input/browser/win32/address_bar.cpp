// Typing an address into a running browser's address bar, and never into another window: no key
// is sent unless the browser's window is in front, and it is looked at again before every step.

#include "browser/win32/address_bar.h"

#include <string>

#include "browser/browser_kind.h"
#include "browser/key_strokes.h"
#include "browser/win32/browser_window.h"
#include "browser/win32/default_browser.h"
#include "browser/win32/key_input.h"

namespace zelko {

namespace {

constexpr DWORD kForegroundWaitMs = 500;
constexpr DWORD kForegroundPollMs = 5;
// How long the window in front may take to answer before the switch is made without joining its
// input (joining a hung thread's input could block the switch).
constexpr UINT kForegroundAnswerMs = 100;

// True when `browser`, or a window that it owns (a dialog of the browser), is the foreground
// window, restored.
bool browserInFront(HWND browser) {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr || IsIconic(browser)) {
        return false;
    }
    return foreground == browser || GetAncestor(foreground, GA_ROOTOWNER) == browser;
}

// Joins this thread's input to another thread's while it lives.
class AttachedInput {
  public:
    AttachedInput(DWORD from, DWORD to)
        : from_(from),
          to_(to),
          attached_(from != 0 && to != 0 && from != to && AttachThreadInput(from, to, TRUE)) {}
    AttachedInput(const AttachedInput&) = delete;
    AttachedInput& operator=(const AttachedInput&) = delete;
    ~AttachedInput() {
        if (attached_) {
            AttachThreadInput(from_, to_, FALSE);
        }
    }

  private:
    DWORD from_;
    DWORD to_;
    bool attached_;
};

// The thread of the window in front when it answers, else 0.
DWORD answeringForegroundThread() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr || IsHungAppWindow(foreground)) {
        return 0;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kForegroundAnswerMs, &result)) {
        return 0;
    }
    return GetWindowThreadProcessId(foreground, nullptr);
}

// Brings the browser window to the front, restored, and waits until it is there: true as soon as
// it is, false when it is not after 500 ms. Windows lets only the program that owns the foreground
// (or got the last input) change it; this program reads the pen, not the keyboard, so its request
// is made with its input joined to the foreground window's thread for the moment of the switch.
// Nothing here waits on the browser's thread.
bool bringToFront(HWND browser, DWORD inputThreadId) {
    if (browserInFront(browser)) {
        return true;
    }
    if (IsIconic(browser)) {
        ShowWindowAsync(browser, SW_RESTORE);
    }
    {
        AttachedInput attached(inputThreadId, answeringForegroundThread());
        SetForegroundWindow(browser);
    }
    const ULONGLONG deadline = GetTickCount64() + kForegroundWaitMs;
    for (;;) {
        if (browserInFront(browser)) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kForegroundPollMs);
    }
}

}  // namespace

bool deliverToAddressBar(std::wstring_view address, DWORD inputThreadId) {
    const BrowserTraits* traits = browserTraitsOf(detectDefaultBrowser());
    if (!traits) {
        return false;
    }
    HWND browser = findBrowserWindow(traits->kind, nullptr, nullptr);
    if (!browser || !bringToFront(browser, inputThreadId)) {
        return false;
    }
    const std::u16string_view units(reinterpret_cast<const char16_t*>(address.data()),
                                    address.size());
    for (const DeliveryStep& step : addressBarDelivery(traits->addressBarChord, units)) {
        // The user may have switched windows meanwhile: then the keys would go elsewhere.
        if (!browserInFront(browser) || !sendKeyStrokes(step.strokes)) {
            return false;
        }
        Sleep(step.pauseMs);
    }
    return true;
}

}  // namespace zelko
