// The installer under Wine, as a user meets it: a fresh installation, an update over the running
// resident program, the settings dialog's folder rule, cancelling, and a walk through every dialog
// into another folder without the startup shortcut, with screenshots.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cwctype>

#include "common/win32/unique_handle.h"
#include "install/resources/install_resource_ids.h"
#include "support/dialog_driver.h"
#include "support/glyphs.h"
#include "support/installer_driver.h"
#include "support/message_box.h"
#include "support/screenshot.h"
#include "support/settings_dialog_driver.h"
#include "support/test_paths.h"
#include "support/wait.h"
#include "support/window_search.h"
#include "tests/wine/install/installation_test.h"

namespace zelko::test {

namespace {

using Lines = std::vector<std::wstring>;

// The log of a successful run: a fresh installation creates the folder, an update over an
// installation with a startup shortcut removes that first.
Lines successfulLog(bool folderCreated, bool oldShortcutRemoved) {
    Lines log = {L"インストールフォルダチェック中..."};
    if (folderCreated) {
        log.push_back(L"インストールフォルダを作成しました");
    }
    log.push_back(L"インストールフォルダのチェックに成功しました");
    if (oldShortcutRemoved) {
        log.push_back(L"スタートアップショートカットを削除しました");
    }
    for (const wchar_t* line :
         {L"ファイルコピー中...", L"ファイルコピーに成功しました", L"スタートメニュー登録中...",
          L"スタートメニュー登録に成功しました", L"ZELKOペンミドルウェアの実行中...",
          L"ZELKOペンミドルウェアの実行に成功しました", L"インストール正常終了"}) {
        log.push_back(line);
    }
    return log;
}

const Lines kFreshLog = successfulLog(true, false);
const Lines kUpdateLog = successfulLog(false, true);

constexpr wchar_t kSucceeded[] = L"インストールが正常に終了しました";

std::wstring lowerCase(std::wstring text) {
    for (auto& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::wstring platformFullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// The record and the uninstall entry of an installation into `folder`.
void expectRegistered(const std::wstring& folder, bool startUp) {
    const std::wstring residentProgram = folder + L"\\ZelkoInput.exe";
    const RegistryValues record = {
        {L"Path", textValue(folder)},
        {L"ExePath", textValue(residentProgram)},
        {L"StartUp", numberValue(startUp ? 1 : 0)},
        {L"StartUpPath", textValue(startupShortcutPath())},
    };
    EXPECT_EQ(registryValues(kInstallKeyPath), record);
    const DWORD sizeKb = static_cast<DWORD>((builtProgram(L"ZelkoInput.exe").size() +
                                             builtProgram(L"ZelkoUnInstall.exe").size() + 1023) /
                                            1024);
    const RegistryValues entry = {
        {L"DisplayName", textValue(L"ZELKOペンミドルウェア")},
        {L"UninstallString", textValue(L"\"" + folder + L"\\ZelkoUnInstall.exe\"")},
        {L"DisplayVersion", textValue(L"0.0.3.9")},
        {L"Publisher", textValue(L"Orvandale")},
        {L"DisplayIcon", textValue(residentProgram)},
        {L"InstallLocation", textValue(folder)},
        {L"EstimatedSize", numberValue(sizeKb)},
        {L"NoModify", numberValue(1)},
        {L"NoRepair", numberValue(1)},
    };
    EXPECT_EQ(registryValues(kUninstallEntryPath), entry);
    EXPECT_TRUE(registryValues(kProductKeyPath).empty());
    EXPECT_TRUE(registryKeyExists(kMakerKeyPath));
}

// The folder holds the two programs and, once the resident program has run, its settings file;
// nothing the installer wrote is left beside them.
void expectNoOtherFiles(const std::map<std::wstring, std::string>& files) {
    for (const auto& [name, bytes] : files) {
        EXPECT_TRUE(name == L"ZelkoInput.exe" || name == L"ZelkoUnInstall.exe" ||
                    name == L"ZelkoInput.cfg")
            << "left behind: " << name;
    }
}

// Both programs, byte for byte as built.
void expectProgramFiles(const std::wstring& folder) {
    const auto files = filesBelow(folder);
    ASSERT_EQ(files.count(L"ZelkoInput.exe"), 1u);
    ASSERT_EQ(files.count(L"ZelkoUnInstall.exe"), 1u);
    EXPECT_TRUE(files.at(L"ZelkoInput.exe") == builtProgram(L"ZelkoInput.exe"));
    EXPECT_TRUE(files.at(L"ZelkoUnInstall.exe") == builtProgram(L"ZelkoUnInstall.exe"));
    expectNoOtherFiles(files);
}

class InstallerTest : public InstallationTest {};

TEST(InstallerResources, CarryTheBuiltProgramsByteForByte) {
    HMODULE installer = LoadLibraryExW(installerPath().c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(installer, nullptr);
    const std::pair<int, const wchar_t*> carried[] = {{IDR_RESIDENT_PROGRAM, L"ZelkoInput.exe"},
                                                      {IDR_UNINSTALLER, L"ZelkoUnInstall.exe"}};
    for (const auto& [id, name] : carried) {
        HRSRC found = FindResourceW(installer, MAKEINTRESOURCEW(id), PROGRAM_RESOURCE_TYPE);
        ASSERT_NE(found, nullptr) << name;
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(installer, found)));
        const std::string resource(bytes, SizeofResource(installer, found));
        EXPECT_TRUE(resource == builtProgram(name)) << name << " differs from the built file";
    }
    FreeLibrary(installer);
}

// The installer asks for administrator rights; the uninstaller runs as whoever starts it.
TEST(InstallerResources, ManifestsAskForTheirExecutionLevels) {
    const std::pair<std::wstring, const char*> programs[] = {
        {installerPath(), "level=\"requireAdministrator\" uiAccess=\"false\""},
        {binDirectory() + L"\\ZelkoUnInstall.exe", "level=\"asInvoker\" uiAccess=\"false\""},
    };
    for (const auto& [path, level] : programs) {
        HMODULE program = LoadLibraryExW(path.c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(program, nullptr) << path;
        HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
        ASSERT_NE(found, nullptr) << "no manifest in " << path;
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
        const std::string manifest(bytes, SizeofResource(program, found));
        EXPECT_NE(manifest.find(level), std::string::npos) << path;
        FreeLibrary(program);
    }
}

TEST_F(InstallerTest, FreshInstallIntoTheDefaultFolder) {
    ChildProcess installer = startInstaller();
    HWND start = waitForDialog(installer.id(), kStartDialogTitle, 20s);
    ASSERT_NE(start, nullptr);
    const std::wstring terms = dialogItemText(start, IDC_LICENCE_TERMS);
    EXPECT_GT(terms.size(), 700u);
    for (const wchar_t* section : {L"\r\n1. ", L"\r\n2. ", L"\r\n3. ", L"\r\n4. ", L"\r\n5. "}) {
        EXPECT_NE(terms.find(section), std::wstring::npos) << section;
    }
    for (size_t at = terms.find(L'\n'); at != std::wstring::npos; at = terms.find(L'\n', at + 1)) {
        ASSERT_TRUE(at > 0 && terms[at - 1] == L'\r') << "lines end in CR LF";
    }
    clickDialogButton(start, IDOK);

    HWND input = waitForDialog(installer.id(), kInputDialogTitle, 10s);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(dialogItemText(input, IDC_TYPED_FOLDER), programFilesFolder());
    EXPECT_EQ(dialogItemText(input, IDC_FINAL_FOLDER), defaultInstallFolder());
    EXPECT_TRUE(isBoxChecked(input, IDC_START_UP));
    clickDialogButton(input, IDOK);

    HWND status = waitForDialog(installer.id(), kStatusDialogTitle, 10s);
    ASSERT_NE(status, nullptr);
    HWND question = waitForMessageBox(kCreateFolderCaption, 20s);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(
        messageBoxText(question),
        L"インストール先フォルダが存在しません。\n新しくフォルダを作成してもよろしいですか？");
    EXPECT_FALSE(isItemEnabled(status, IDC_FINISH)) << "while the run goes on";
    InstallRun run = finishInstallRun(installer, status);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.finalCaption, kInstalledCaption);
    EXPECT_EQ(run.finalText, kSucceeded);
    EXPECT_EQ(run.log, kFreshLog);

    const std::wstring folder = defaultInstallFolder();
    expectProgramFiles(folder);
    auto shortcut = readShortcut(startupShortcutPath());
    ASSERT_TRUE(shortcut) << "no startup shortcut";
    EXPECT_EQ(shortcut->target, folder + L"\\ZelkoInput.exe");
    EXPECT_EQ(shortcut->workingFolder, folder);
    EXPECT_EQ(shortcut->showCommand, SW_SHOW);
    expectRegistered(folder, true);
    EXPECT_NE(installedProgramsListing().find("KVNZelkoInput"), std::string::npos)
        << "not in Wine's list of installed programs";

    auto resident = waitForResidentProgram(20s);
    ASSERT_TRUE(resident) << "the resident program did not start; " << residentProgramDiagnosis();
    EXPECT_EQ(lowerCase(resident->executable), lowerCase(folder + L"\\ZelkoInput.exe"));
    EXPECT_NE(parentProcessOf(resident->processId), installer.id())
        << "started by the desktop shell, not by the elevated installer";
}

TEST_F(InstallerTest, UpdateOverTheRunningResidentProgram) {
    ASSERT_TRUE(installWithDefaults().finished);
    auto running = waitForResidentProgram(20s);
    ASSERT_TRUE(running) << residentProgramDiagnosis();
    const std::wstring folder = defaultInstallFolder();
    ASSERT_TRUE(writeFileBytes(folder + L"\\ZelkoUnInstall.exe", "an older uninstaller"));

    ChildProcess installer = startInstaller();
    HWND question = waitForMessageBox(kUpdateCaption, 20s);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(messageBoxText(question),
              L"ZELKOペンミドルウェアは既にインストールされています。\n現在の設定でアップデートしま"
              L"すか？");
    EXPECT_EQ(findWindowOf(installer.id(), L"#32770", kStartDialogTitle), nullptr)
        << "asked before any dialog";
    clickMessageBoxButton(question, IDYES);

    HWND status = waitForDialog(installer.id(), kStatusDialogTitle, 10s);
    ASSERT_NE(status, nullptr) << "the update goes straight to the status dialog";
    EXPECT_TRUE(waitForProcessEnd(running->processId, 5s))
        << "the running resident program was asked to close and left within 5 s";
    InstallRun run = finishInstallRun(installer, status);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.finalCaption, kInstalledCaption);
    EXPECT_EQ(run.finalText, kSucceeded);
    EXPECT_EQ(run.log, kUpdateLog);

    expectProgramFiles(folder);
    EXPECT_TRUE(readShortcut(startupShortcutPath())) << "made again with the stored choice";
    expectRegistered(folder, true);
    auto restarted = waitForResidentProgram(20s);
    ASSERT_TRUE(restarted) << residentProgramDiagnosis();
    EXPECT_NE(restarted->processId, running->processId);
}

// A program file that cannot be replaced (here held open by another program, as a resident
// program that did not close would hold it) fails the run; the old file stays whole and no
// partly written file is left.
TEST_F(InstallerTest, ProgramFileInUseFailsTheRunAndStaysAsItWas) {
    ASSERT_NO_FATAL_FAILURE(installAndCloseTheResidentProgram());
    const std::wstring folder = defaultInstallFolder();
    const std::wstring residentProgram = folder + L"\\ZelkoInput.exe";
    ASSERT_TRUE(writeFileBytes(residentProgram, "the program as it was"));
    UniqueFileHandle held(CreateFileW(residentProgram.c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    ChildProcess installer = startInstaller();
    HWND question = waitForMessageBox(kUpdateCaption, 20s);
    ASSERT_NE(question, nullptr);
    clickMessageBoxButton(question, IDYES);
    HWND status = waitForDialog(installer.id(), kStatusDialogTitle, 10s);
    ASSERT_NE(status, nullptr);
    InstallRun run = finishInstallRun(installer, status);
    held.reset();

    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.finalCaption, kErrorCaption);
    EXPECT_EQ(run.finalText, L"インストールは正常に完了しませんでした");
    ASSERT_FALSE(run.log.empty());
    EXPECT_EQ(run.log.back(), L"ファイルコピーに失敗しました:" + residentProgram);
    EXPECT_EQ(readFileBytes(residentProgram), "the program as it was");
    expectNoOtherFiles(filesBelow(folder));
}

// A resident program that ignores the close request (the stand-in, run from the installed
// ZelkoInput.exe) keeps its file in use: after the five seconds the installer gives it, writing the
// program fails, the run fails, and the program that runs is left as it was, still working.
TEST_F(InstallerTest, ResidentProgramThatIgnoresTheCloseRequestFailsTheRunAndKeepsRunning) {
    ASSERT_NO_FATAL_FAILURE(installAndCloseTheResidentProgram());
    const std::wstring folder = defaultInstallFolder();
    const std::wstring residentProgram = folder + L"\\ZelkoInput.exe";
    ASSERT_TRUE(copyFileTo(binDirectory() + L"\\ZelkoStubbornResident.exe", residentProgram));
    const std::string standIn = readFileBytes(residentProgram);
    const std::wstring closeRequests =
        freshScratchDirectory(currentTestName()) + L"\\close-requests.log";
    SetEnvironmentVariableW(L"ZELKO_STUBBORN_LOG", closeRequests.c_str());
    ChildProcess stubborn = ChildProcess::start(residentProgram, {}, folder);
    SetEnvironmentVariableW(L"ZELKO_STUBBORN_LOG", nullptr);
    auto running = waitForResidentProgram(20s);
    ASSERT_TRUE(running) << residentProgramDiagnosis();
    ASSERT_EQ(running->processId, stubborn.id());
    const InstallationSnapshot before = takeSnapshot();

    ChildProcess installer = startInstaller();
    HWND question = waitForMessageBox(kUpdateCaption, 20s);
    ASSERT_NE(question, nullptr);
    clickMessageBoxButton(question, IDYES);
    const ULONGLONG answered = GetTickCount64();
    HWND status = waitForDialog(installer.id(), kStatusDialogTitle, 10s);
    ASSERT_NE(status, nullptr);
    InstallRun run = finishInstallRun(installer, status);

    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.finalCaption, kErrorCaption);
    EXPECT_EQ(run.finalText, L"インストールは正常に完了しませんでした");
    EXPECT_EQ(run.log, (Lines{L"インストールフォルダチェック中...",
                              L"インストールフォルダのチェックに成功しました",
                              L"スタートアップショートカットを削除しました", L"ファイルコピー中...",
                              L"ファイルコピーに失敗しました:" + residentProgram}));
    EXPECT_GE(GetTickCount64() - answered, 5000u) << "the installer gave it five seconds";
    EXPECT_EQ(readFileBytes(closeRequests), "close-request\n") << "asked once to close";

    EXPECT_TRUE(stubborn.running()) << "never terminated by the installer";
    DWORD_PTR ignored = 0;
    EXPECT_NE(
        SendMessageTimeoutW(running->trayWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored),
        0)
        << "its window still answers";
    EXPECT_EQ(readFileBytes(residentProgram), standIn) << "its file is as it was";
    const InstallationSnapshot after = takeSnapshot();
    EXPECT_TRUE(after.files == before.files) << "no file written, none left behind";
    EXPECT_TRUE(after.keys == before.keys) << "the record as it was";
    EXPECT_EQ(after.residentPrograms, before.residentPrograms);
    stubborn.terminate();
}

// A file where the install folder should be is no folder: the run asks to create the folder, as
// for a missing one; creating it fails (or the user declines), the run fails, and the file stays.
TEST_F(InstallerTest, FileInThePlaceOfTheInstallFolderFailsTheRunAndStays) {
    const std::wstring folder = defaultInstallFolder();
    ASSERT_TRUE(CreateDirectoryW((programFilesFolder() + L"\\Orvandale").c_str(), nullptr));
    ASSERT_TRUE(writeFileBytes(folder, "a file, not a folder"));
    const InstallationSnapshot before = takeSnapshot();
    struct Case {
        const char* name;
        int answer;
        std::wstring lastLine;
    };
    const Case cases[] = {
        {"create", IDOK, L"フォルダの作成に失敗しました:" + folder},
        {"decline", IDCANCEL, L"フォルダの作成をキャンセルしました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProcess installer = startInstaller();
        for (const wchar_t* title : {kStartDialogTitle, kInputDialogTitle}) {
            HWND dialog = waitForDialog(installer.id(), title, 20s);
            ASSERT_NE(dialog, nullptr) << title;
            clickDialogButton(dialog, IDOK);
        }
        HWND status = waitForDialog(installer.id(), kStatusDialogTitle, 10s);
        ASSERT_NE(status, nullptr);
        HWND question = waitForMessageBox(kCreateFolderCaption, 20s);
        ASSERT_NE(question, nullptr) << "asked as for a missing folder";
        ASSERT_TRUE(clickMessageBoxButton(question, c.answer));
        InstallRun run = finishInstallRun(installer, status);

        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.finalCaption, kErrorCaption);
        EXPECT_EQ(run.finalText, L"インストールは正常に完了しませんでした");
        EXPECT_EQ(run.log, (Lines{L"インストールフォルダチェック中...", c.lastLine}));
        EXPECT_EQ(readFileBytes(folder), "a file, not a folder");
        EXPECT_TRUE(takeSnapshot() == before) << "nothing else changed";
    }
}

// "インストールせずに終了", "キャンセル" and Esc end the installer in the first two dialogs, whose
// close box does nothing; nothing on the machine changes.
TEST_F(InstallerTest, CancelInTheFirstDialogsChangesNothing) {
    struct Case {
        const char* name;
        const wchar_t* dialog;
        bool byEscape;
    };
    const Case cases[] = {
        {"licence dialog, button", kStartDialogTitle, false},
        {"licence dialog, Esc", kStartDialogTitle, true},
        {"settings dialog, button", kInputDialogTitle, false},
        {"settings dialog, Esc", kInputDialogTitle, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProcess installer = startInstaller();
        HWND dialog = waitForDialog(installer.id(), kStartDialogTitle, 20s);
        ASSERT_NE(dialog, nullptr);
        if (c.dialog == kInputDialogTitle) {
            clickDialogButton(dialog, IDOK);
            dialog = waitForDialog(installer.id(), kInputDialogTitle, 10s);
            ASSERT_NE(dialog, nullptr);
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the close box does nothing";
        if (c.byEscape) {
            pressDialogKey(dialog, VK_ESCAPE);
        } else {
            clickDialogButton(dialog, IDCANCEL);
        }
        EXPECT_EQ(installer.waitForExit(10s), 0u);
        EXPECT_TRUE(takeSnapshot() == clean) << "the machine changed";
    }
}

TEST_F(InstallerTest, SettingsDialogComposesTheFinalFolderAndRefusesWhatDoesNotFit) {
    const std::wstring current = platformFullPath(freshScratchDirectory(currentTestName()));
    ChildProcess installer = startInstaller(current);
    HWND start = waitForDialog(installer.id(), kStartDialogTitle, 20s);
    ASSERT_NE(start, nullptr);
    clickDialogButton(start, IDOK);
    HWND input = waitForDialog(installer.id(), kInputDialogTitle, 10s);
    ASSERT_NE(input, nullptr);

    const std::wstring tooLong = L"C:\\" + std::wstring(220, L'a');
    struct Case {
        std::wstring typed;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"D:\\", L"D:\\Orvandale\\ZelkoInput"},
        {programFilesFolder() + L"\\", defaultInstallFolder()},
        {L"abc", current + L"\\abc\\Orvandale\\ZelkoInput"},
        {L"..\\x\\.", platformFullPath(current + L"\\..\\x") + L"\\Orvandale\\ZelkoInput"},
        {tooLong, L""},
        {L"", L""},
    };
    for (const Case& c : cases) {
        typeText(input, IDC_TYPED_FOLDER, c.typed);
        EXPECT_EQ(dialogItemText(input, IDC_FINAL_FOLDER), c.shown) << "typed: " << c.typed;
    }
    // "参照": the shell's folder browser, owned by the dialog; what it picks becomes the folder.
    typeText(input, IDC_TYPED_FOLDER, L"D:\\");
    clickDialogButton(input, IDC_BROWSE);
    HWND browser = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            browser = nullptr;
            while ((browser = FindWindowExW(nullptr, browser, L"#32770", nullptr)) != nullptr) {
                if (GetWindow(browser, GW_OWNER) == input && IsWindowVisible(browser)) {
                    return true;
                }
            }
            return false;
        },
        10s))
        << "no folder browser";
    EXPECT_NE(allDialogTexts(browser).find(L"フォルダを選択して下さい"), std::wstring::npos);
    clickDialogButton(browser, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(browser); }, 10s));
    // Its first choice, the desktop, has a file-system path.
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    EXPECT_EQ(dialogItemText(input, IDC_TYPED_FOLDER), desktop);
    EXPECT_EQ(dialogItemText(input, IDC_FINAL_FOLDER),
              std::wstring(desktop) + L"\\Orvandale\\ZelkoInput");

    for (const std::wstring& refused : {std::wstring(), tooLong}) {
        typeText(input, IDC_TYPED_FOLDER, refused);
        clickDialogButton(input, IDOK);
        HWND box = waitForMessageBox(kErrorCaption, 10s);
        ASSERT_NE(box, nullptr) << "no refusal of: " << refused;
        EXPECT_EQ(messageBoxText(box), L"インストール先が不正です");
        clickMessageBoxButton(box);
        EXPECT_TRUE(IsWindowVisible(input)) << "the dialog stays open";
    }
    clickDialogButton(input, IDCANCEL);
    EXPECT_EQ(installer.waitForExit(10s), 0u);
    EXPECT_TRUE(takeSnapshot() == clean);
}

// Every dialog on the way into a new folder of the user's choice, without the startup shortcut:
// while the run waits for the folder question, "完了", Enter, Esc and the close box do nothing;
// afterwards Esc ends the installer. Screenshots and the glyph check of each dialog.
TEST_F(InstallerTest, CustomFolderWithoutStartupThroughEveryDialog) {
    const std::wstring chosen =
        platformFullPath(freshScratchDirectory(currentTestName())) + L"\\新しい フォルダ";
    const std::wstring folder = chosen + L"\\Orvandale\\ZelkoInput";
    otherFolders.push_back(chosen);

    ChildProcess installer = startInstaller();
    HWND start = waitForDialog(installer.id(), kStartDialogTitle, 20s);
    ASSERT_NE(start, nullptr);
    keepPicture(start, L"install_start_dialog_130", L"MS Shell Dlg");
    clickDialogButton(start, IDOK);

    HWND input = waitForDialog(installer.id(), kInputDialogTitle, 10s);
    ASSERT_NE(input, nullptr);
    typeText(input, IDC_TYPED_FOLDER, chosen);
    clickBox(input, IDC_START_UP);
    EXPECT_FALSE(isBoxChecked(input, IDC_START_UP));
    EXPECT_EQ(dialogItemText(input, IDC_FINAL_FOLDER), folder);
    keepPicture(input, L"install_settings_dialog_131", L"MS Shell Dlg");
    clickDialogButton(input, IDOK);

    HWND status = waitForDialog(installer.id(), kStatusDialogTitle, 10s);
    ASSERT_NE(status, nullptr);
    HWND question = waitForMessageBox(kCreateFolderCaption, 20s);
    ASSERT_NE(question, nullptr);
    EXPECT_FALSE(isItemEnabled(status, IDC_FINISH));
    pressDialogKey(status, VK_ESCAPE);
    pressDialogKey(status, VK_RETURN);
    PostMessageW(status, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(waitUntil(
        [&] {
            return !IsWindowVisible(status) || countMessageBoxes(kCreateFolderCaption) != 1 ||
                   !installer.running();
        },
        500ms))
        << "the run was cut short or started again";

    InstallRun run = finishInstallRun(installer, status, Leave::EscapeKey, [&] {
        keepPicture(status, L"install_status_dialog_143", L"MS Shell Dlg");
    });
    EXPECT_TRUE(run.finished) << "Esc ends the installer once the run has finished";
    EXPECT_EQ(run.finalCaption, kInstalledCaption);
    EXPECT_EQ(run.log, kFreshLog);
    std::wstring logText;
    for (const auto& line : run.log) {
        logText += line;
    }
    EXPECT_EQ(charactersWithoutGlyphs(L"MS Shell Dlg", 9, logText + run.finalText), L"");

    expectProgramFiles(folder);
    expectRegistered(folder, false);
    EXPECT_FALSE(fileExists(startupShortcutPath())) << "no startup shortcut was chosen";
    auto resident = waitForResidentProgram(20s);
    ASSERT_TRUE(resident) << residentProgramDiagnosis();
    EXPECT_EQ(lowerCase(resident->executable), lowerCase(folder + L"\\ZelkoInput.exe"));
}

}  // namespace
}  // namespace zelko::test
