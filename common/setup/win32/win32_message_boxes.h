#pragma once
// Modal message boxes owned by one window (or by none).

#include <windows.h>

#include "common/setup/machine.h"

namespace zelko {

class Win32MessageBoxes : public MessageBoxes {
  public:
    explicit Win32MessageBoxes(HWND owner) : owner_(owner) {}
    Answer show(const std::u16string& text, const std::u16string& caption,
                Buttons buttons) override;

  private:
    HWND owner_;
};

}  // namespace zelko
