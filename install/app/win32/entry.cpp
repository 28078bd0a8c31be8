// ZelkoInstall: takes no arguments.

#include <windows.h>

#include "install/app/win32/zelko_install_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    zelko::CZelkoInstallApp application(instance);
    return application.run();
}
