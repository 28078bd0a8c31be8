#include "support/message_box.h"

#include "support/wait.h"

namespace zelko::test {

std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

HWND waitForMessageBox(const std::wstring& caption, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            HWND box = FindWindowW(L"#32770", caption.c_str());
            if (box && IsWindowVisible(box) &&
                (GetDlgItem(box, IDOK) || GetDlgItem(box, IDCANCEL) || GetDlgItem(box, IDYES))) {
                found = box;
                return true;
            }
            return false;
        },
        timeout);
    return found;
}

std::wstring messageBoxText(HWND box) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

bool clickMessageBoxButton(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (!button) {
        button = GetDlgItem(box, IDCANCEL);
    }
    if (!button) {
        return false;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    return waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000ms);
}

int countMessageBoxes(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        int count;
    } search{&caption, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t className[64] = {};
            GetClassNameW(window, className, 64);
            if (std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
                windowText(window) == *s->caption) {
                ++s->count;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

}  // namespace zelko::test
