#pragma once
// The installer and the uninstaller driven as a user would: their dialogs found by title, their
// buttons clicked, their message boxes answered.

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace zelko::test {

constexpr wchar_t kStartDialogTitle[] = L"ZELKOペンミドルウェア インストール開始";
constexpr wchar_t kInputDialogTitle[] = L"ZELKOペンミドルウェア インストール設定";
constexpr wchar_t kStatusDialogTitle[] = L"インストール状態";
constexpr wchar_t kUninstallDialogTitle[] = L"ZELKOペンミドルウェア　アンインストール";

constexpr wchar_t kUpdateCaption[] = L"アップデート";
constexpr wchar_t kCreateFolderCaption[] = L"ディレクトリ作成確認";
constexpr wchar_t kInstalledCaption[] = L"アップデート完了";
constexpr wchar_t kErrorCaption[] = L"エラー";
constexpr wchar_t kUninstalledCaption[] = L"アンインストール完了";

std::wstring installerPath();  // the built ZelkoInstall.exe

// Starts the installer (in the folder given, else in the bin folder).
ChildProcess startInstaller(const std::wstring& workingFolder = L"");

// The outcome of one installation run driven to its end.
struct InstallRun {
    bool finished = false;      // the final message came and the installer ended
    std::wstring finalCaption;  // of the final message
    std::wstring finalText;
    std::vector<std::wstring> log;  // the status dialog's lines
};

// How the user leaves the status dialog once the run has finished.
enum class Leave { FinishButton, EscapeKey };

// Answers the status dialog's question (creating a missing folder), takes the final message,
// reads the log, leaves the dialog and waits for the installer to end.
// `beforeLeaving` runs once the run has finished and its log is read.
InstallRun finishInstallRun(ChildProcess& installer, HWND statusDialog,
                            Leave leave = Leave::FinishButton,
                            const std::function<void()>& beforeLeaving = {});

// Told of each dialog of the installer as it appears, before it is answered.
using DialogWatcher = std::function<void(HWND dialog, const wchar_t* title)>;

// A fresh installation with the default choices: the licence accepted, the settings kept, the
// folder created.
InstallRun installWithDefaults(const DialogWatcher& watch = {});

// What the uninstaller said after "アンインストール" was pressed.
struct UninstallAnswer {
    std::wstring caption;  // empty when no dialog or message came
    std::wstring text;
    bool ended = false;  // the uninstaller ended with exit code 0 afterwards
};

// Starts the uninstaller with a command line (as the list of installed programs would), presses
// "アンインストール" and answers its message.
UninstallAnswer uninstallThroughDialog(const std::wstring& commandLine);

}  // namespace zelko::test
