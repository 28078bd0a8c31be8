#pragma once
// The application object of a dialog-based program: the program's start is its instance
// initialisation, after which the message loop runs until the program posts WM_QUIT. A program
// whose initialisation does all its work returns false from it and ends at once.

#include <windows.h>

#include <optional>

#include "common/win32/com_ptr.h"

namespace zelko {

class Application {
  public:
    explicit Application(HINSTANCE instance) : instance_(instance) {}
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the program; its exit code.
    int run();
    HINSTANCE instance() const { return instance_; }

  protected:
    // The start-up hook. The base makes the common controls and COM (for the shell's dialogs)
    // ready on this thread; a program's own initialisation calls it first.
    virtual bool initInstance();

  private:
    HINSTANCE instance_;
    std::optional<ComApartment> apartment_;
};

}  // namespace zelko
