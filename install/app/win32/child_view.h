#pragma once
// The main frame's one child window: a sunken client area that paints nothing.

#include <windows.h>

namespace zelko {

class CChildView {
  public:
    bool create(HINSTANCE instance, HWND frame);
    HWND window() const { return window_; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

}  // namespace zelko
