#include "support/window_search.h"

namespace zelko::test {

HWND findWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title,
                  Visibility visibility) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (visibility == Visibility::Any || IsWindowVisible(window))) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace zelko::test
