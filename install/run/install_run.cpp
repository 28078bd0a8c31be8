#include "install/run/install_run.h"

#include "install/run/close_resident.h"
#include "install/run/folder_tree.h"
#include "install/run/install_texts.h"
#include "install/run/old_shortcut.h"
#include "install/run/register_install.h"

namespace zelko {

namespace {

using namespace install_text;

bool fail(InstallShell& shell, const std::u16string& line) {
    shell.addLog(line);
    return false;
}

bool makeSureFolderExists(InstallMachine& machine, const std::u16string& folder) {
    if (machine.files.entryKind(folder) == EntryKind::Folder) {
        return true;
    }
    if (machine.messages.show(kCreateFolderQuestion, kCreateFolderCaption, Buttons::OkCancel) !=
        Answer::Ok) {
        return fail(machine.shell, kFolderCreationDeclined);
    }
    if (!createFolderTree(machine.files, folder)) {
        return fail(machine.shell, kFolderCreationFailed + folder);
    }
    machine.shell.addLog(kFolderCreated);
    return true;
}

bool writePrograms(InstallMachine& machine, const std::u16string& folder) {
    const std::pair<ProgramImage, const char16_t*> programs[] = {
        {ProgramImage::ResidentProgram, kResidentProgramFile},
        {ProgramImage::Uninstaller, kUninstallerFile},
    };
    for (const auto& [image, name] : programs) {
        const std::u16string path = joinPath(folder, name);
        if (!machine.shell.writeProgram(image, path)) {
            return fail(machine.shell, kFileCopyFailed + path);
        }
    }
    return true;
}

bool registerStartUpAndRecord(InstallMachine& machine, const InstallChoices& choices) {
    InstallShell& shell = machine.shell;
    const std::u16string residentProgram = joinPath(choices.folder, kResidentProgramFile);
    const auto startupFolder = shell.commonStartupFolder();
    if (choices.startUp &&
        (!startupFolder || !shell.createShortcut({joinPath(*startupFolder, kStartUpShortcutFile),
                                                  residentProgram, choices.folder}))) {
        return fail(shell, kShortcutFailed);
    }
    const std::uint64_t size = shell.programSize(ProgramImage::ResidentProgram) +
                               shell.programSize(ProgramImage::Uninstaller);
    if (!startupFolder || !registerInstall(machine.registry, {choices.folder, choices.startUp,
                                                              *startupFolder, sizeInKb(size)})) {
        return fail(shell, kRegistryFailed);
    }
    return true;
}

}  // namespace

bool runInstall(InstallMachine& machine, const InstallChoices& choices) {
    InstallShell& shell = machine.shell;
    // A resident program that does not close in time keeps its file in use: writing it fails.
    closeRunningResident(machine.resident);

    shell.addLog(kCheckingFolder);
    if (!makeSureFolderExists(machine, choices.folder)) {
        return false;
    }
    shell.addLog(kFolderChecked);

    if (removeOldStartUpShortcut(machine.files, machine.registry)) {
        shell.addLog(kOldShortcutRemoved);
    }

    shell.addLog(kCopyingFiles);
    if (!writePrograms(machine, choices.folder)) {
        return false;
    }
    shell.addLog(kFilesCopied);

    shell.addLog(kRegistering);
    if (!registerStartUpAndRecord(machine, choices)) {
        return false;
    }
    shell.addLog(kRegistered);

    shell.addLog(kStartingProgram);
    if (shell.startResidentProgram(joinPath(choices.folder, kResidentProgramFile))) {
        shell.addLog(kProgramStarted);
        shell.addLog(kInstallFinished);
    } else {
        shell.addLog(kProgramStartFailed);
    }
    return true;
}

void installAndReport(InstallMachine& machine, const InstallChoices& choices) {
    if (runInstall(machine, choices)) {
        machine.messages.show(kSucceededMessage, kSucceededCaption, Buttons::Ok);
    } else {
        machine.messages.show(kFailedMessage, kFailedCaption, Buttons::Ok);
    }
}

}  // namespace zelko
