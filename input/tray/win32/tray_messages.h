#pragma once
// Messages of the hidden tray window: every other thread (and the installer) reaches the main
// thread by posting one of these.

#include <windows.h>

namespace zelko {

constexpr UINT WM_TRAYICON = WM_USER;               // the shell's icon callback
constexpr UINT WM_PEN_EVENT = WM_USER + 1;          // the reader: wParam 0 = a scan is ready
constexpr UINT WM_CLOSE_REQUEST = WM_USER + 2;      // the installer: close the program
constexpr UINT WM_SHOW_LOGIN_WINDOW = WM_USER + 4;  // the auto-login worker
constexpr UINT WM_OPEN_PENDING_URL = WM_USER + 5;   // the auto-login worker
constexpr UINT WM_TRAY_TICK = WM_USER + 6;          // the 60 ms timer

constexpr wchar_t kTrayWindowClass[] = L"ZelkaInputTrayWindow36ba692462019d83b726cfd09e3ef541";
constexpr wchar_t kTrayWindowTitle[] = L"ZelkaInput";

}  // namespace zelko
