#include "app/win32/test_hooks.h"

namespace zelko::hooks {

void penEventReceived(unsigned, std::string_view) {}
void trayStateShown(int) {}
void browserAction(std::string_view, std::string_view) {}
void autoLogin(std::string_view, std::string_view) {}
void closeRequested() {}
bool refuseLoginWindow() {
    return false;
}
void mainThreadDispatching(unsigned, unsigned long long) {}

}  // namespace zelko::hooks
