// ZelkoVirtualPenSetup.exe: installs the virtual pen drivers into the Wine prefix it runs in, or
// removes them. The test bench runs it once per prefix.
//
//   ZelkoVirtualPenSetup install <folder with ZelkoVirtualPen.inf and the two .sys files>
//   ZelkoVirtualPenSetup remove <the same folder>
//
// Install: the root-enumerated bus device (ROOT\ZELKOVPEN\0000, hardware id ZELKOVPEN\BUS) is
// registered, its driver installed from the INF (which the system keeps as an OEM INF, so that
// the pens the bus reports later find their minidriver in it), and the control device awaited.
// Remove: the bus device goes, every pen device it ever reported, the OEM INF and the two
// services too.
// Exit code 0 on success; the failing step and its error go to the standard error.

#include <windows.h>

#include <cstdio>
#include <string>

#include "virtualpen/win32/driver_setup.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: ZelkoVirtualPenSetup install|remove <driver folder>\n");
        return 2;
    }
    const std::wstring command = argv[1];
    const std::wstring folder = argv[2];
    zelko::virtualpen::SetupResult result;
    if (command == L"install") {
        result = zelko::virtualpen::installVirtualPenDrivers(folder);
    } else if (command == L"remove") {
        result = zelko::virtualpen::removeVirtualPenDrivers(folder);
    } else {
        std::fwprintf(stderr, L"unknown command %ls\n", command.c_str());
        return 2;
    }
    if (!result.ok) {
        std::fwprintf(stderr, L"ZelkoVirtualPenSetup %ls: %ls failed, error %lu\n", command.c_str(),
                      result.step.c_str(), result.error);
        return 1;
    }
    std::fwprintf(stdout, L"ZelkoVirtualPenSetup %ls: done\n", command.c_str());
    return 0;
}
