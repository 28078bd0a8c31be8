#include "about/win32/about_dialog.h"

#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>

#include "about/about_texts.h"
#include "about/versions.h"
#include "about/win32/background_task.h"
#include "about/win32/update_requests.h"
#include "app/win32/program_state.h"
#include "common/win32/text.h"
#include "resources/resource_ids.h"
#include "settings_dialog/win32/settings_dialog.h"
#include "web/win32/internet_request.h"

namespace zelko {

namespace {

// Posted by the background task when its request has ended.
constexpr UINT WM_UPDATE_STEP_DONE = WM_APP + 1;

enum class UpdateStep { None, Fetching, Downloading };

struct FetchOutcome {
    unsigned version = 0;
    std::string installerAddress;
};

struct DownloadOutcome {
    std::string path;
    int downloaded = 0;
};

struct AboutDialog {
    BackgroundTask task;
    UpdateStep step = UpdateStep::None;
    std::shared_ptr<FetchOutcome> fetch;
    std::shared_ptr<DownloadOutcome> download;
};

// The about dialog while it is open (touched by the main thread only).
HWND openDialog = nullptr;

AboutDialog* dialogRecord(HWND dialog) {
    return reinterpret_cast<AboutDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

int showMessage(HWND dialog, const char16_t* text, const char16_t* caption, UINT type = MB_OK) {
    return MessageBoxW(dialog, wideText(text), wideText(caption), type);
}

bool cursorIsOver(HWND dialog) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) {
        return false;
    }
    HWND under = WindowFromPoint(cursor);
    return under && GetAncestor(under, GA_ROOT) == dialog;
}

// While a request runs the three buttons are disabled and the dialog shows the wait cursor; the
// dialog can still be closed with its close box or Escape.
void setStep(HWND dialog, AboutDialog& record, UpdateStep step) {
    record.step = step;
    const bool idle = step == UpdateStep::None;
    if (!idle) {
        // A disabled button cannot keep the focus; the dialog takes it, so Escape still works.
        SetFocus(dialog);
    }
    for (int id : {IDC_OPEN_SUPPORT_PAGE, IDC_UPDATE_CHECK, IDOK}) {
        EnableWindow(GetDlgItem(dialog, id), idle ? TRUE : FALSE);
    }
    if (idle) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)),
                     TRUE);
    }
    if (cursorIsOver(dialog)) {
        SetCursor(LoadCursorW(nullptr, idle ? IDC_ARROW : IDC_WAIT));
    }
}

void initialise(HWND dialog) {
    ProgramState& state = programState();
    openDialog = dialog;
    state.tray.dialogWindow = dialog;
    bool penPresent = false;
    std::uint16_t penVersion = 0;
    if (PenReader* reader = state.reader.get()) {
        MutexLock lock(reader->lock);
        penPresent = reader->penPresent == 1;
        penVersion = reader->penVersion;
    }
    SetDlgItemTextA(dialog, IDC_PEN_VERSION, penVersionText(penPresent, penVersion).c_str());
    centreOnScreen(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
}

void openSupportPage(HWND dialog) {
    const std::optional<std::wstring> address = wideFromAnsi(supportPageAddress());
    HINSTANCE result =
        address ? ShellExecuteW(nullptr, L"open", address->c_str(), nullptr, nullptr, SW_SHOWNORMAL)
                : nullptr;
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        showMessage(dialog, kSupportPageFailedText, kErrorCaption);
    }
}

void startFetch(HWND dialog, AboutDialog& record) {
    auto outcome = std::make_shared<FetchOutcome>();
    const bool started =
        record.task.start(dialog, WM_UPDATE_STEP_DONE, [outcome](const auto& keepGoing) {
            outcome->version = fetchUpdateInfo(outcome->installerAddress, keepGoing);
        });
    if (!started) {
        showMessage(dialog, kConnectionFailedText, kErrorCaption);
        return;
    }
    record.fetch = outcome;
    setStep(dialog, record, UpdateStep::Fetching);
}

void startDownload(HWND dialog, AboutDialog& record, const std::string& address) {
    const std::optional<std::string> path = installerDownloadPath();
    auto outcome = std::make_shared<DownloadOutcome>();
    outcome->path = path.value_or(std::string());
    const bool started =
        path &&
        record.task.start(dialog, WM_UPDATE_STEP_DONE, [outcome, address](const auto& keepGoing) {
            outcome->downloaded = downloadFile(address, outcome->path, keepGoing);
        });
    if (!started) {
        showMessage(dialog, kDownloadFailedText, kDownloadFailedCaption);
        return;
    }
    record.download = outcome;
    setStep(dialog, record, UpdateStep::Downloading);
}

void afterFetch(HWND dialog, AboutDialog& record) {
    const FetchOutcome outcome = *record.fetch;
    record.fetch.reset();
    switch (judgeUpdateVersion(outcome.version)) {
        case UpdateVerdict::ConnectionFailed:
            showMessage(dialog, kConnectionFailedText, kErrorCaption);
            return;
        case UpdateVerdict::UpToDate:
            showMessage(dialog, kUpToDateText, kUpdateInfoCaption);
            return;
        case UpdateVerdict::NewerVersion:
            break;
    }
    const std::u16string question = updateQuestion(outcome.version);
    if (showMessage(dialog, question.c_str(), kUpdateInfoCaption, MB_YESNO) != IDYES) {
        return;
    }
    // Without an address in the reply the download fails with its message.
    startDownload(dialog, record, outcome.installerAddress);
}

void afterDownload(HWND dialog, AboutDialog& record) {
    const DownloadOutcome outcome = *record.download;
    record.download.reset();
    if (!outcome.downloaded) {
        showMessage(dialog, kDownloadFailedText, kDownloadFailedCaption);
        return;
    }
    HINSTANCE started =
        ShellExecuteA(nullptr, "open", outcome.path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) <= 32) {
        showMessage(dialog, kStartFailedText, kErrorCaption);
        return;
    }
    EndDialog(dialog, 1);
}

void onStepDone(HWND dialog, AboutDialog& record) {
    if (!record.task.running()) {
        return;
    }
    record.task.finish();
    const UpdateStep step = record.step;
    setStep(dialog, record, UpdateStep::None);
    if (step == UpdateStep::Fetching) {
        afterFetch(dialog, record);
    } else if (step == UpdateStep::Downloading) {
        afterDownload(dialog, record);
    }
}

void close(HWND dialog, AboutDialog& record) {
    record.task.abandon();
    EndDialog(dialog, 1);
}

void onCommand(HWND dialog, AboutDialog& record, int id) {
    const bool idle = record.step == UpdateStep::None;
    switch (id) {
        case IDC_OPEN_SUPPORT_PAGE:
            if (idle) {
                openSupportPage(dialog);
            }
            break;
        case IDC_UPDATE_CHECK:
            if (idle) {
                startFetch(dialog, record);
            }
            break;
        case IDOK:
        case IDCANCEL:
            close(dialog, record);
            break;
        default:
            break;
    }
}

// Returns FALSE for every message but the wait cursor, so that the dialog manager's default
// handling applies.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        initialise(dialog);
        return FALSE;
    }
    AboutDialog* record = dialogRecord(dialog);
    if (!record) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            onCommand(dialog, *record, LOWORD(wParam));
            return FALSE;
        case WM_UPDATE_STEP_DONE:
            onStepDone(dialog, *record);
            return FALSE;
        case WM_SETCURSOR:
            if (record->step == UpdateStep::None) {
                return FALSE;
            }
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_DESTROY:
            // Also when the program's quit message ends the dialog's loop.
            record->task.abandon();
            openDialog = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int runAboutDialog(HWND owner) {
    AboutDialog record;
    const INT_PTR result =
        DialogBoxParamW(programState().instance, MAKEINTRESOURCEW(IDD_ABOUT), owner,
                        aboutDialogProc, reinterpret_cast<LPARAM>(&record));
    return result == 1 ? 1 : 0;
}

void abandonUpdateCheck() {
    if (!openDialog) {
        return;
    }
    if (AboutDialog* record = dialogRecord(openDialog)) {
        // Its answer, should it still come, finds no running step and is not acted on.
        record->task.abandon();
    }
}

void finishUpdateChecks(std::uint32_t patienceMs) {
    finishBackgroundTasks(patienceMs);
}

}  // namespace zelko
