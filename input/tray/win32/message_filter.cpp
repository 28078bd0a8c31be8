// ChangeWindowMessageFilterEx, looked up at run time: it is missing before Windows 7.

#include "tray/win32/message_filter.h"

namespace zelko {

bool allowMessageFromLowerIntegrity(HWND window, UINT message) {
    using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, CHANGEFILTERSTRUCT*);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (window == nullptr || message == 0 || user32 == nullptr) {
        return false;
    }
    const auto changeFilter = reinterpret_cast<ChangeFilter>(
        reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
    return changeFilter != nullptr && changeFilter(window, message, MSGFLT_ALLOW, nullptr) != FALSE;
}

}  // namespace zelko
