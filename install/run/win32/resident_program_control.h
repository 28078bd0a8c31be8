#pragma once
// A running resident program on this PC (`FindInputTrayWindow`): a top-level window of the tray
// window class, without a parent, whose process runs "ZelkoInput.exe".

#include <windows.h>

#include "common/win32/unique_handle.h"
#include "install/run/install_shell.h"

namespace zelko {

class Win32ResidentProgramControl : public ResidentProgramControl {
  public:
    bool findRunning() override;
    void askToClose() override;
    // The tray window is gone and the process has ended: only then is its file free.
    bool hasClosed() override;
    std::uint64_t milliseconds() override { return GetTickCount64(); }
    void sleep(std::uint32_t milliseconds) override { Sleep(milliseconds); }

  private:
    HWND window_ = nullptr;
    UniqueHandle process_;
};

}  // namespace zelko
