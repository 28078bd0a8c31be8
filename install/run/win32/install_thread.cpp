#include "install/run/win32/install_thread.h"

#include "common/setup/win32/win32_file_system.h"
#include "common/setup/win32/win32_message_boxes.h"
#include "common/setup/win32/win32_registry.h"
#include "common/win32/com_ptr.h"
#include "install/run/install_run.h"
#include "install/run/win32/resident_program_control.h"
#include "install/run/win32/win32_install_shell.h"

namespace zelko {

DWORD WINAPI InstallThreadProc(LPVOID parameter) {
    const auto& job = *static_cast<const InstallJob*>(parameter);
    {
        ComApartment com;
        Win32FileSystem files;
        Win32Registry registry;
        Win32MessageBoxes messages(job.statusDialog);
        Win32InstallShell shell(job.statusDialog, *job.log);
        Win32ResidentProgramControl resident;
        InstallMachine machine{files, registry, messages, shell, resident};
        installAndReport(machine, job.choices);
    }
    // Sent, not posted: a post can be lost to a full message queue, and the dialog would wait for
    // ever. The dialog's thread is free to answer, since nothing lets it close before this.
    SendMessageW(job.statusDialog, WM_INSTALL_FINISHED, 0, 0);
    return 0;
}

}  // namespace zelko
