#include "support/installer_driver.h"

#include "support/dialog_driver.h"
#include "support/message_box.h"
#include "support/settings_dialog_driver.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {

namespace {

constexpr int kInstallLogId = 1001;
constexpr int kFinishId = 1002;

// The first visible message box with one of these captions, or null after the timeout.
HWND waitForAnyMessageBox(std::initializer_list<const wchar_t*> captions,
                          std::chrono::milliseconds timeout) {
    HWND box = nullptr;
    waitUntil(
        [&] {
            for (const wchar_t* caption : captions) {
                if ((box = waitForMessageBox(caption, 0ms)) != nullptr) {
                    return true;
                }
            }
            return false;
        },
        timeout);
    return box;
}

}  // namespace

std::wstring installerPath() {
    return binDirectory() + L"\\ZelkoInstall.exe";
}

ChildProcess startInstaller(const std::wstring& workingFolder) {
    return ChildProcess::start(installerPath(), {},
                               workingFolder.empty() ? binDirectory() : workingFolder);
}

InstallRun finishInstallRun(ChildProcess& installer, HWND statusDialog, Leave leave,
                            const std::function<void()>& beforeLeaving) {
    InstallRun run;
    HWND box = waitForAnyMessageBox({kCreateFolderCaption, kInstalledCaption, kErrorCaption}, 30s);
    if (box && windowText(box) == kCreateFolderCaption) {
        clickMessageBoxButton(box, IDOK);
        box = waitForAnyMessageBox({kInstalledCaption, kErrorCaption}, 30s);
    }
    if (!box) {
        return run;
    }
    run.finalCaption = windowText(box);
    run.finalText = messageBoxText(box);
    clickMessageBoxButton(box, IDOK);
    waitUntil([&] { return isItemEnabled(statusDialog, kFinishId); }, 10s);
    run.log = listViewLines(GetDlgItem(statusDialog, kInstallLogId));
    if (beforeLeaving) {
        beforeLeaving();
    }
    if (leave == Leave::FinishButton) {
        clickDialogButton(statusDialog, kFinishId);
    } else {
        pressDialogKey(statusDialog, VK_ESCAPE);
    }
    run.finished = installer.waitForExit(10s).has_value();
    return run;
}

InstallRun installWithDefaults(const DialogWatcher& watch) {
    ChildProcess installer = startInstaller();
    HWND status = nullptr;
    for (const wchar_t* title : {kStartDialogTitle, kInputDialogTitle, kStatusDialogTitle}) {
        HWND dialog = waitForDialog(installer.id(), title, 20s);
        if (!dialog) {
            return {};
        }
        if (watch) {
            watch(dialog, title);
        }
        if (title == kStatusDialogTitle) {
            status = dialog;
        } else {
            clickDialogButton(dialog, IDOK);
        }
    }
    return finishInstallRun(installer, status);
}

UninstallAnswer uninstallThroughDialog(const std::wstring& commandLine) {
    UninstallAnswer answer;
    ChildProcess uninstaller = ChildProcess::startCommandLine(commandLine);
    HWND dialog = waitForDialog(uninstaller.id(), kUninstallDialogTitle, 20s);
    if (!dialog) {
        return answer;
    }
    clickDialogButton(dialog, IDOK);
    HWND box = waitForAnyMessageBox({kUninstalledCaption, kErrorCaption}, 20s);
    if (!box) {
        return answer;
    }
    answer.caption = windowText(box);
    answer.text = messageBoxText(box);
    clickMessageBoxButton(box);
    answer.ended = uninstaller.waitForExit(10s) == std::optional<DWORD>(0);
    return answer;
}

}  // namespace zelko::test
