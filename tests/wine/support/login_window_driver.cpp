#include "support/login_window_driver.h"

#include "support/wait.h"
#include "support/window_search.h"

namespace zelko::test {

HWND waitForLoginWindow(DWORD processId, std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    waitUntil(
        [&] {
            window = findWindowOf(processId, kLoginWindowClass, nullptr, Visibility::VisibleOnly);
            return window != nullptr;
        },
        timeout);
    return window;
}

LoginWindowView viewLoginWindow(HWND window) {
    LoginWindowView view;
    view.window = window;
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    view.title = title;
    GetClientRect(window, &view.client);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring className = windowClassOf(child);
        if (_wcsicmp(className.c_str(), L"Edit") == 0) {
            view.edits.push_back(child);
        } else if (GetDlgCtrlID(child) == kLoginButtonId) {
            view.loginButton = child;
        } else if (GetDlgCtrlID(child) == kCancelButtonId) {
            view.cancelButton = child;
        }
    }
    return view;
}

RECT childRect(HWND child) {
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

std::wstring windowClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring editText(HWND edit) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return L"(no answer)";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

bool typeInto(HWND edit, const std::wstring& text, const std::wstring& expected) {
    for (wchar_t character : text) {
        PostMessageW(edit, WM_CHAR, character, 1);
    }
    return waitUntil([&] { return editText(edit) == expected; }, std::chrono::seconds(5));
}

bool typeInto(HWND edit, const std::wstring& text) {
    return typeInto(edit, text, text);
}

void click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool waitUntilGone(HWND window, std::chrono::milliseconds timeout) {
    return waitUntil([&] { return !IsWindow(window); }, timeout);
}

}  // namespace zelko::test
