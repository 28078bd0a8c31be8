// ZelkoUnInstall: takes no arguments.

#include <windows.h>

#include "uninstall/app/win32/zelko_uninstall_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    zelko::CZelkoUnInstallApp application(instance);
    return application.run();
}
