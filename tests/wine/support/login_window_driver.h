#pragma once
// The resident program's login input window, seen and driven from another process as a user
// would: its controls, typing into its edit boxes and clicking its buttons.

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace zelko::test {

constexpr wchar_t kLoginWindowClass[] = L"ZelkaInput INPUTWINDOW";
constexpr int kLoginButtonId = 1000;
constexpr int kCancelButtonId = 1001;

struct LoginWindowView {
    HWND window = nullptr;
    std::wstring title;
    RECT client{};
    std::vector<HWND> edits;  // in creation order
    HWND loginButton = nullptr;
    HWND cancelButton = nullptr;
};

// The visible login window of this process, or null after the timeout.
HWND waitForLoginWindow(DWORD processId, std::chrono::milliseconds timeout);
LoginWindowView viewLoginWindow(HWND window);

// The child's rectangle in its parent's client coordinates.
RECT childRect(HWND child);
std::wstring windowClassOf(HWND window);
// The text of another process's edit box.
std::wstring editText(HWND edit);
// Types the text into the edit box as keyboard characters; true once the box shows `expected`.
bool typeInto(HWND edit, const std::wstring& text, const std::wstring& expected);
bool typeInto(HWND edit, const std::wstring& text);
void click(HWND button);
// True once the window is gone (closed by its program).
bool waitUntilGone(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace zelko::test
