#include "demo_update.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "log/utf8_text.h"
#include "resources/resource_ids.h"
#include "support/about_dialog_driver.h"
#include "support/message_box.h"
#include "support/reference_service.h"
#include "support/resident_program.h"
#include "support/update_bench.h"
#include "support/wait.h"

namespace zelko::demo {

namespace {

using namespace zelko::test;
using testlog::utf8Of;

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string controlText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return utf8Of(text);
}

bool runUpdateCheck(ResidentProgram& program, const std::wstring& probeLog) {
    HWND dialog = openAboutDialog(program);
    if (!dialog) {
        say("   the about dialog did not open");
        return false;
    }
    say("   tray menu \"情報\" opens \"" + utf8Of(windowText(dialog)) + "\"; pen version: \"" +
        controlText(dialog, IDC_PEN_VERSION) + "\" (no pen)");
    say("   the demo clicks \"" + controlText(dialog, IDC_UPDATE_CHECK) + "\"");
    PostMessageW(GetDlgItem(dialog, IDC_UPDATE_CHECK), BM_CLICK, 0, 0);
    HWND question = waitForMessageBox(L"アップデート情報", 15s);
    if (!question) {
        say("   no offer came");
        return false;
    }
    std::string text = utf8Of(messageBoxText(question));
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;) {
        text.replace(at, 1, " / ");
    }
    say("   message box \"アップデート情報\": \"" + text + "\"; the demo answers Yes");
    const ULONGLONG answered = GetTickCount64();
    clickMessageBoxButton(question, IDYES);
    if (!waitUntil([&] { return !updateProbeRuns(probeLog).empty(); }, 15s)) {
        say("   the downloaded installer did not run");
        return false;
    }
    say("   the downloaded installer started " + std::to_string(GetTickCount64() - answered) +
        " ms after the answer: \"" + updateProbeRuns(probeLog).front() + "\"");
    const bool closed = waitUntil([&] { return !IsWindow(dialog); }, 5s);
    say(closed ? "   the about dialog closed; the program keeps running until the installer asks "
                 "it to close"
               : "   the about dialog stayed open");
    return closed;
}

}  // namespace

bool showUpdateCheck() {
    say("6. The about dialog's update check against the local reference web service, which");
    say("   offers version 40 and a small stand-in program as the installer:");
    ReferenceService::reset();
    ServiceReply installer;
    installer.bodyFile = updateProbeProgram();
    if (!ReferenceService::route("*", kUpdateInfoPath, ServiceReply::text(offerReply(40))) ||
        !ReferenceService::route("*", kInstallerPath, installer)) {
        say("   the reference web service is not running");
        return false;
    }
    removeDownloadLeftovers();
    const std::wstring probeLog = startUpdateProbeLog(L"demo-update-probe");
    bool ok = false;
    {
        ResidentProgram program(Build::Test, L"demo-update");
        ok = program.start() && runUpdateCheck(program, probeLog);
        program.close();
    }
    for (const ServiceRequest& request : ReferenceService::requests()) {
        say("   the service was asked for " + request.target + " (agent " + request.userAgent +
            ")");
    }
    removeDownloadLeftovers();
    ReferenceService::reset();
    return ok;
}

}  // namespace zelko::demo
