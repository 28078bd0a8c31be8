#pragma once
// The installer's main window: a popup of no size that is never seen, but carries the taskbar
// entry (title "ZelkoInstall", icon 128) and owns the dialogs. Its one child is CChildView.
// Destroying it ends the program's message loop.

#include <windows.h>

#include "install/app/win32/child_view.h"

namespace zelko {

class CMainFrame {
  public:
    CMainFrame() = default;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;
    ~CMainFrame() { destroy(); }

    // Creates, shows and updates the frame with its child; false when it cannot be made.
    bool create(HINSTANCE instance);
    void destroy();
    HWND window() const { return window_; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    CChildView view_;
};

}  // namespace zelko
