#pragma once
// The installer's worker thread (`InstallThreadProc`): the installation run and its final message,
// away from the status dialog's thread, which keeps serving the dialog and its log meanwhile.

#include <windows.h>

#include "common/setup/install_record.h"
#include "install/run/win32/log_list.h"

namespace zelko {

// Sent to the status dialog as the worker's last act.
constexpr UINT WM_INSTALL_FINISHED = WM_APP + 1;

// What the thread works on; owned by the status dialog, which outlives the thread.
struct InstallJob {
    HWND statusDialog = nullptr;
    LogList* log = nullptr;
    InstallChoices choices;
};

// The thread's procedure; its parameter is the InstallJob.
DWORD WINAPI InstallThreadProc(LPVOID job);

}  // namespace zelko
