// The uninstaller under Wine, started as the platform's list of installed programs starts it:
// it removes the installation, finds nothing the second time, refuses while the resident program
// runs, and changes nothing when cancelled.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/text.h"
#include "common/win32/unique_handle.h"
#include "support/installer_driver.h"
#include "support/message_box.h"
#include "support/settings_dialog_driver.h"
#include "support/wait.h"
#include "tests/wine/install/installation_test.h"
#include "uninstall/run/uninstall_texts.h"

namespace zelko::test {
namespace {

constexpr wchar_t kNotInstalled[] = L"ZELKOペンミドルウェアはインストールされていません";

// The uninstall command as the registry records it (the quoted path of the uninstaller).
std::wstring uninstallCommand() {
    const RegistryValue value = registryValues(kUninstallEntryPath)[L"UninstallString"];
    std::wstring command(reinterpret_cast<const wchar_t*>(value.bytes.data()),
                         value.bytes.size() / sizeof(wchar_t));
    command.resize(wcsnlen(command.c_str(), command.size()));
    return command;
}

class UninstallerTest : public InstallationTest {};

TEST_F(UninstallerTest, RemovesTheInstallationThenFindsNothingInstalled) {
    ASSERT_NO_FATAL_FAILURE(installAndCloseTheResidentProgram());
    const std::wstring folder = defaultInstallFolder();
    ASSERT_TRUE(writeFileBytes(folder + L"\\ZelkoInstall.cfg", "settings"));
    ASSERT_TRUE(writeFileBytes(folder + L"\\ZelkoInput.cfg", "the resident program's"));
    const std::wstring command = uninstallCommand();
    ASSERT_EQ(command, L"\"" + folder + L"\\ZelkoUnInstall.exe\"");

    UninstallAnswer answer = uninstallThroughDialog(command);
    EXPECT_EQ(answer.caption, kUninstalledCaption);
    EXPECT_EQ(answer.text, L"アンインストールは正常に終了しました");
    EXPECT_TRUE(answer.ended);
    EXPECT_FALSE(fileExists(folder + L"\\ZelkoInput.exe"));
    EXPECT_FALSE(fileExists(folder + L"\\ZelkoInstall.cfg"));
    EXPECT_FALSE(fileExists(startupShortcutPath()));
    EXPECT_FALSE(registryKeyExists(kInstallKeyPath));
    EXPECT_FALSE(registryKeyExists(kProductKeyPath));
    EXPECT_FALSE(registryKeyExists(kUninstallEntryPath));
    EXPECT_EQ(installedProgramsListing().find("KVNZelkoInput"), std::string::npos);
    // What stays: the uninstaller itself, the folder with other files, the maker's key.
    EXPECT_TRUE(fileExists(folder + L"\\ZelkoUnInstall.exe"));
    EXPECT_TRUE(fileExists(folder + L"\\ZelkoInput.cfg"));
    EXPECT_TRUE(registryKeyExists(kMakerKeyPath));

    const InstallationSnapshot afterwards = takeSnapshot();
    answer = uninstallThroughDialog(command);
    EXPECT_EQ(answer.caption, kErrorCaption);
    EXPECT_EQ(answer.text, kNotInstalled);
    EXPECT_TRUE(takeSnapshot() == afterwards);
}

TEST_F(UninstallerTest, RefusesWhileTheResidentProgramRunsAndCancelRemovesNothing) {
    ASSERT_TRUE(installWithDefaults().finished);
    ASSERT_TRUE(waitForResidentProgram(20s));
    const InstallationSnapshot installed = takeSnapshot();
    const std::wstring command = uninstallCommand();

    for (bool byEscape : {false, true}) {
        ChildProcess uninstaller = ChildProcess::startCommandLine(command);
        HWND dialog = waitForDialog(uninstaller.id(), kUninstallDialogTitle, 20s);
        ASSERT_NE(dialog, nullptr);
        if (!byEscape) {
            const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
            const LONG_PTR extended = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
            EXPECT_EQ(style & WS_SYSMENU, 0) << "no system menu, no close box";
            EXPECT_NE(extended & WS_EX_APPWINDOW, 0) << "shown in the taskbar";
            keepPicture(dialog, L"uninstall_dialog_102", L"MS UI Gothic");
            clickDialogButton(dialog, IDCANCEL);
        } else {
            pressDialogKey(dialog, VK_ESCAPE);
        }
        EXPECT_EQ(uninstaller.waitForExit(10s), 0u);
        EXPECT_TRUE(takeSnapshot() == installed) << (byEscape ? "Esc" : "キャンセル");
    }

    UninstallAnswer answer = uninstallThroughDialog(command);
    EXPECT_EQ(answer.caption, kErrorCaption);
    EXPECT_EQ(answer.text,
              L"ZELKOペンミドルウェアを削除できませんでした。\r\n"
              L"タスクトレイにZELKOペンミドルウェアアイコンが表示されている場合は\r\n"
              L"終了してください。");
    EXPECT_TRUE(takeSnapshot() == installed) << "nothing changed, the program still runs";
}

// The startup shortcut held open by another program without delete sharing cannot be deleted:
// the uninstaller says so and names it, and keeps the install record, so that it can be run again;
// once the shortcut is let go, that run removes the rest.
TEST_F(UninstallerTest, HeldStartupShortcutIsNamedAndTheNextRunRemovesIt) {
    ASSERT_NO_FATAL_FAILURE(installAndCloseTheResidentProgram());
    const std::wstring folder = defaultInstallFolder();
    const std::wstring shortcut = startupShortcutPath();
    const std::wstring command = uninstallCommand();
    const RegistryValues record = registryValues(kInstallKeyPath);
    UniqueFileHandle held(CreateFileW(shortcut.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    UninstallAnswer answer = uninstallThroughDialog(command);
    EXPECT_EQ(answer.caption, kErrorCaption);
    EXPECT_EQ(answer.text, toWide(uninstall_text::shortcutNotRemoved(toU16(shortcut))));
    EXPECT_NE(answer.text.find(shortcut), std::wstring::npos) << "the shortcut is named";
    EXPECT_TRUE(answer.ended);
    EXPECT_FALSE(fileExists(folder + L"\\ZelkoInput.exe"));
    EXPECT_TRUE(fileExists(shortcut));
    EXPECT_EQ(registryValues(kInstallKeyPath), record) << "the record stays for another run";
    EXPECT_TRUE(registryKeyExists(kUninstallEntryPath)) << "still in the list to run it from";
    EXPECT_EQ(uninstallCommand(), command);

    held.reset();
    answer = uninstallThroughDialog(command);
    EXPECT_EQ(answer.caption, kUninstalledCaption);
    EXPECT_EQ(answer.text, L"アンインストールは正常に終了しました");
    EXPECT_FALSE(fileExists(shortcut));
    EXPECT_FALSE(registryKeyExists(kInstallKeyPath));
    EXPECT_FALSE(registryKeyExists(kProductKeyPath));
    EXPECT_FALSE(registryKeyExists(kUninstallEntryPath));
    EXPECT_TRUE(fileExists(folder + L"\\ZelkoUnInstall.exe"));
}

}  // namespace
}  // namespace zelko::test
