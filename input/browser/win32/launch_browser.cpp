// Starting the default browser on an address.

#include "browser/win32/launch_browser.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace zelko {

bool launchBrowser(std::wstring_view address) {
    std::wstring quoted;
    quoted.reserve(address.size() + 2);
    quoted += L'"';
    quoted += address;
    quoted += L'"';
    HINSTANCE result =
        ShellExecuteW(nullptr, L"open", quoted.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace zelko
