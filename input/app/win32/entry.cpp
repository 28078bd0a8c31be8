// The resident program's entry point.

#include <windows.h>

#include "app/win32/program_state.h"
#include "app/win32/start_up.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    zelko::programState();  // built before anything else runs
    if (!zelko::startUp(instance)) {
        MessageBoxW(nullptr, L"起動できませんでした", L"ゼルコペンミドルウェア", MB_OK);
        zelko::shutDown();
        return 0;
    }
    int exitCode = zelko::runMessageLoop();
    if (!zelko::shutDown()) {
        ExitProcess(static_cast<UINT>(exitCode));
    }
    return exitCode;
}
