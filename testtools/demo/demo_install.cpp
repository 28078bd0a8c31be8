#include "demo/demo_install.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "support/dialog_driver.h"
#include "support/installation.h"
#include "support/installer_driver.h"
#include "support/test_paths.h"
#include "support/wait.h"
#include "log/utf8_text.h"

namespace zelko::demo {

using namespace zelko::test;

namespace {

// One line of narration; Japanese texts are printed as UTF-8.
void narrate(const std::wstring& line) {
    const std::string text = testlog::utf8Of(line);
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

// Runs the uninstaller as the list of installed programs would, presses "アンインストール" and
// tells its answer.
bool uninstallAndTell(const std::wstring& command) {
    UninstallAnswer answer = uninstallThroughDialog(command);
    if (answer.caption.empty()) {
        narrate(L"   no answer from the uninstaller");
        return false;
    }
    std::wstring text = answer.text;
    for (size_t lineEnd = text.find(L"\r\n"); lineEnd != std::wstring::npos;
         lineEnd = text.find(L"\r\n", lineEnd)) {
        text.replace(lineEnd, 2, L" ");
    }
    narrate(L"   message box \"" + text + L"\" / \"" + answer.caption + L"\"");
    return answer.ended;
}

bool install() {
    narrate(L"8. ZelkoInstall.exe, the one file a vendor hands out, installs the middleware:");
    InstallRun run = installWithDefaults([](HWND dialog, const wchar_t* title) {
        const std::wstring shown = L"   dialog \"" + std::wstring(title) + L"\"";
        if (std::wstring(title) == kStartDialogTitle) {
            narrate(shown + L" shows the licence terms; the demo accepts them");
        } else if (std::wstring(title) == kInputDialogTitle) {
            narrate(shown + L": final folder \"" + dialogItemText(dialog, 1000) +
                    L"\", startup shortcut on; the demo starts the installation");
        } else {
            narrate(shown + L"; the demo lets it create the folder. Its log:");
        }
    });
    for (const auto& line : run.log) {
        narrate(L"     " + line);
    }
    narrate(L"   final message \"" + run.finalText + L"\" / \"" + run.finalCaption + L"\"");
    return run.finished && run.finalCaption == kInstalledCaption;
}

}  // namespace

bool showInstallAndUninstall() {
    removeInstallation();
    bool ok = install();
    const std::wstring folder = defaultInstallFolder();
    narrate(L"   installed: " + folder + L"\\ZelkoInput.exe and ZelkoUnInstall.exe, the shortcut " +
            startupShortcutPath());
    const std::string listing = installedProgramsListing();
    narrate(L"   Wine's list of installed programs (uninstaller --list) now has KVNZelkoInput: " +
            std::wstring(listing.find("KVNZelkoInput") != std::string::npos ? L"yes" : L"no"));

    auto resident = waitForResidentProgram(20s);
    if (!resident) {
        narrate(L"   the installed ZelkoInput.exe is not running");
        removeInstallation();
        return false;
    }
    const std::wstring parent = processImagePath(parentProcessOf(resident->processId));
    narrate(L"9. The installed ZelkoInput.exe runs (process " +
            std::to_wstring(resident->processId) + L"), started by " +
            parent.substr(parent.find_last_of(L'\\') + 1) +
            L" (the desktop shell, as the logged-on user), not by the elevated installer.");

    const std::wstring command = L"\"" + folder + L"\\ZelkoUnInstall.exe\"";
    narrate(L"10. The uninstaller (" + command + L") while it runs:");
    ok = uninstallAndTell(command) && ok;
    ok = fileExists(folder + L"\\ZelkoInput.exe") && ok;

    narrate(L"11. The tray's close request ends the resident program; the uninstaller again:");
    ok = closeResidentProgram(*resident, 10s) && ok;
    ok = uninstallAndTell(command) && ok;
    const bool removed =
        !fileExists(folder + L"\\ZelkoInput.exe") && !registryKeyExists(kInstallKeyPath);
    narrate(std::wstring(L"   ZelkoInput.exe, the shortcut and the registry record ") +
            (removed ? L"are gone" : L"are still there"));
    removeInstallation();
    return ok && removed;
}

}  // namespace zelko::demo
