// Typing an address into a running browser's address bar.

#include "browser/win32/address_bar.h"

#include <string>

#include "browser/browser_kind.h"
#include "browser/key_strokes.h"
#include "browser/win32/browser_window.h"
#include "browser/win32/default_browser.h"
#include "browser/win32/key_input.h"

namespace zelko {

namespace {

constexpr DWORD kForegroundWaitMilliseconds = 500;
// The address is entered with at most this many characters.
constexpr std::size_t kMaxTypedUnits = 1024;

// Joins the calling thread's input to the browser thread's while it lives, for SetFocus and
// GetFocus on the browser's window.
class AttachedInput {
  public:
    AttachedInput(DWORD from, DWORD to)
        : from_(from), to_(to), attached_(from != to && AttachThreadInput(from, to, TRUE)) {}
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

}  // namespace

bool deliverToAddressBar(std::wstring_view address, DWORD inputThreadId) {
    const BrowserTraits* traits = browserTraitsOf(detectDefaultBrowser());
    if (!traits) {
        return false;
    }
    DWORD processId = 0;
    DWORD browserThreadId = 0;
    HWND browser = findBrowserWindow(traits->kind, &processId, &browserThreadId);
    if (!browser) {
        return false;
    }
    const std::wstring text(address.substr(0, kMaxTypedUnits));

    const HWND previousForeground = GetForegroundWindow();
    if (IsIconic(browser)) {
        OpenIcon(browser);
    }
    SetForegroundWindow(browser);
    if (previousForeground != browser) {
        Sleep(kForegroundWaitMilliseconds);
    }

    pressChord(traits->addressBarChord);
    HWND focused = nullptr;
    {
        AttachedInput attached(inputThreadId, browserThreadId);
        SetFocus(browser);
        pressChord(traits->addressBarChord);
        focused = GetFocus();
    }
    pressChord(traits->addressBarChord);
    pressKey(kVirtualKeyDelete);

    if (focused) {
        for (wchar_t unit : text) {
            PostMessageW(focused, WM_CHAR, static_cast<WPARAM>(unit), 0);
        }
    } else {
        typeText(text);
    }
    pressKey(kVirtualKeyEnter);
    return true;
}

}  // namespace zelko
