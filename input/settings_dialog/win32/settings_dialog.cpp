#include "settings_dialog/win32/settings_dialog.h"

#include "app/win32/program_state.h"
#include "common/win32/center_on_desktop.h"
#include "resources/resource_ids.h"
#include "settings/win32/settings_file.h"
#include "settings_dialog/settings_apply.h"

namespace zelko {

namespace {

bool isChecked(HWND dialog, int id) {
    return (SendDlgItemMessageW(dialog, id, BM_GETSTATE, 0, 0) & 3) != 0;
}

void setChecked(HWND dialog, int id, bool checked) {
    SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void initialise(HWND dialog) {
    ProgramState& state = programState();
    {
        MutexLock lock(state.settingsLock);
        state.tray.dialogWindow = dialog;
        SettingsDialogChecks checks = checksForSettings(state.settings);
        if (checks.launchBrowser) {
            setChecked(dialog, IDC_LAUNCH_BROWSER, true);
        }
        if (checks.setAddressBar) {
            setChecked(dialog, IDC_SET_ADDRESS_BAR, true);
        }
        if (checks.showDialog) {
            setChecked(dialog, IDC_SHOW_DIALOG, true);
        }
        if (checks.playSound) {
            setChecked(dialog, IDC_PLAY_SOUND, true);
        }
    }
    centreOnScreen(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
}

void apply(HWND dialog) {
    ProgramState& state = programState();
    {
        MutexLock lock(state.settingsLock);
        SettingsDialogChecks checks;
        checks.launchBrowser = isChecked(dialog, IDC_LAUNCH_BROWSER);
        checks.setAddressBar = isChecked(dialog, IDC_SET_ADDRESS_BAR);
        checks.playSound = isChecked(dialog, IDC_PLAY_SOUND);
        checks.showDialog = isChecked(dialog, IDC_SHOW_DIALOG);
        applySettingsDialog(checks, state.settings);
    }
    saveSettings();
    EndDialog(dialog, 1);
}

// 1003 and 1004 work as a radio pair: a click checks the clicked box and clears the other.
void chooseOutputBox(HWND dialog, int clicked) {
    if (isChecked(dialog, clicked)) {
        return;
    }
    int other = clicked == IDC_LAUNCH_BROWSER ? IDC_SET_ADDRESS_BAR : IDC_LAUNCH_BROWSER;
    setChecked(dialog, clicked, true);
    setChecked(dialog, other, false);
}

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(dialog);
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    apply(dialog);
                    break;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    break;
                case IDC_LAUNCH_BROWSER:
                case IDC_SET_ADDRESS_BAR:
                    chooseOutputBox(dialog, LOWORD(wParam));
                    break;
                default:
                    break;
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int runSettingsDialog(HWND owner) {
    return static_cast<int>(DialogBoxParamW(programState().instance, MAKEINTRESOURCEW(IDD_SETTINGS),
                                            owner, settingsDialogProc, 0));
}

void centreOnScreen(HWND window) {
    CenterOnDesktop(window);
}

}  // namespace zelko
