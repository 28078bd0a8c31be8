#include "install/run/install_run.h"

#include <gtest/gtest.h>

#include <functional>

#include "install/run/close_resident.h"
#include "install/run/install_texts.h"
#include "install/run/register_install.h"
#include "install/run/tests/fake_install_shell.h"

namespace zelko {
namespace {

using namespace install_text;
using testing::FakeMachine;
using testing::InstallBench;
using testing::kStartupFolder;
using Lines = std::vector<std::u16string>;

constexpr char16_t kProgramFiles[] = u"C:\\Program Files";
constexpr char16_t kFolder[] = u"C:\\Program Files\\Orvandale\\ZelkoInput";
const std::u16string kResidentProgram = joinPath(kFolder, kResidentProgramFile);
const std::u16string kUninstaller = joinPath(kFolder, kUninstallerFile);
const std::u16string kShortcut = joinPath(kStartupFolder, kStartUpShortcutFile);

// A machine without any installation.
void prepareFresh(InstallBench& bench) {
    bench.machine.addFolder(kProgramFiles);
    bench.machine.addFolder(kStartupFolder);
}

// A machine with an earlier installation into kFolder, its shortcut made.
void prepareInstalled(InstallBench& bench) {
    prepareFresh(bench);
    bench.machine.addFolder(u"C:\\Program Files\\Orvandale");
    bench.machine.addFolder(kFolder);
    bench.machine.addFile(kResidentProgram);
    bench.machine.addFile(kUninstaller);
    bench.machine.addFile(kShortcut);
    ASSERT_TRUE(registerInstall(bench.machine, {kFolder, true, kStartupFolder, 1}));
}

const Lines kFreshRun = {kCheckingFolder, kFolderCreated,  kFolderChecked, kCopyingFiles,
                         kFilesCopied,    kRegistering,    kRegistered,    kStartingProgram,
                         kProgramStarted, kInstallFinished};

const Lines kUpdateRun = {kCheckingFolder, kFolderChecked,  kOldShortcutRemoved, kCopyingFiles,
                          kFilesCopied,    kRegistering,    kRegistered,         kStartingProgram,
                          kProgramStarted, kInstallFinished};

// The first lines of a run, up to and including `last`, then `ending`.
Lines linesUpTo(const Lines& run, const char16_t* last, Lines ending = {}) {
    Lines lines;
    for (const auto& line : run) {
        lines.push_back(line);
        if (line == last) {
            break;
        }
    }
    lines.insert(lines.end(), ending.begin(), ending.end());
    return lines;
}

TEST(InstallRun, FreshInstallationWritesEverythingAndStartsTheProgram) {
    InstallBench bench;
    prepareFresh(bench);
    installAndReport(bench.install, {kFolder, true});

    EXPECT_EQ(bench.shell.log, kFreshRun);
    ASSERT_EQ(bench.machine.shown.size(), 2u);
    EXPECT_EQ(bench.machine.shown[0].text, kCreateFolderQuestion);
    EXPECT_EQ(bench.machine.shown[0].caption, kCreateFolderCaption);
    EXPECT_EQ(bench.machine.shown[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(bench.machine.shown[1].text, kSucceededMessage);
    EXPECT_EQ(bench.machine.shown[1].caption, kSucceededCaption);

    EXPECT_EQ(bench.machine.createdFolders, Lines({u"C:\\Program Files\\Orvandale", kFolder}));
    ASSERT_EQ(bench.shell.written.size(), 2u);
    EXPECT_EQ(bench.shell.written[0].first, ProgramImage::ResidentProgram);
    EXPECT_EQ(bench.shell.written[0].second, kResidentProgram);
    EXPECT_EQ(bench.shell.written[1].first, ProgramImage::Uninstaller);
    EXPECT_EQ(bench.shell.written[1].second, kUninstaller);
    ASSERT_EQ(bench.shell.shortcuts.size(), 1u);
    EXPECT_EQ(bench.shell.shortcuts[0].linkPath, kShortcut);
    EXPECT_EQ(bench.shell.shortcuts[0].target, kResidentProgram);
    EXPECT_EQ(bench.shell.shortcuts[0].workingFolder, kFolder);
    EXPECT_EQ(bench.shell.started, Lines({kResidentProgram}));
    EXPECT_TRUE(bench.machine.hasKey(kInstallKey));
    EXPECT_TRUE(bench.machine.hasKey(kUninstallEntryKey));
}

TEST(InstallRun, ExistingFolderIsUsedWithoutAQuestion) {
    InstallBench bench;
    prepareFresh(bench);
    bench.machine.addFolder(u"C:\\Program Files\\Orvandale");
    bench.machine.addFolder(kFolder);
    installAndReport(bench.install, {kFolder, true});
    ASSERT_EQ(bench.machine.shown.size(), 1u);
    EXPECT_EQ(bench.machine.shown[0].caption, kSucceededCaption);
    EXPECT_EQ(bench.shell.log[1], kFolderChecked);
}

TEST(InstallRun, FileInPlaceOfTheFolderIsAskedAboutAndFailsToBeCreated) {
    InstallBench bench;
    prepareFresh(bench);
    bench.machine.addFolder(u"C:\\Program Files\\Orvandale");
    bench.machine.addFile(kFolder);
    installAndReport(bench.install, {kFolder, true});
    EXPECT_EQ(bench.shell.log,
              Lines({kCheckingFolder, kFolderCreationFailed + std::u16string(kFolder)}));
    EXPECT_EQ(bench.machine.shown.back().caption, kFailedCaption);
}

// Each failing step: its log line, the final message, and what stays on the machine.
TEST(InstallRun, EachFailingStepIsLoggedAndReported) {
    struct Case {
        const char* name;
        std::function<void(InstallBench&)> arrange;
        bool startUp;
        Lines log;
        bool succeeds;
        std::function<void(InstallBench&, const FakeMachine::State& before)> whatStays;
    };
    const Case cases[] = {
        {"resident program does not close within 5000 ms",
         [](InstallBench& b) {
             prepareInstalled(b);
             b.resident.running = true;
             b.resident.pollsUntilClosed = -1;
             b.shell.failingWrites.insert(kResidentProgram);  // still in use
         },
         true, linesUpTo(kUpdateRun, kCopyingFiles, {kFileCopyFailed + kResidentProgram}), false,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.resident.running);
             EXPECT_EQ(b.resident.closeRequests, 1);
             EXPECT_EQ(b.resident.now - 1000, kCloseWaitMilliseconds);
         }},
        {"folder creation declined",
         [](InstallBench& b) {
             prepareFresh(b);
             b.machine.answers.push_back(Answer::Cancel);
         },
         true,
         {kCheckingFolder, kFolderCreationDeclined},
         false,
         [](InstallBench& b, const FakeMachine::State& before) {
             EXPECT_TRUE(b.machine.state() == before) << "nothing changed";
         }},
        {"folder creation failed",
         [](InstallBench& b) {
             prepareFresh(b);
             b.machine.failingFolderCreations.insert(kFolder);
         },
         true,
         {kCheckingFolder, kFolderCreationFailed + std::u16string(kFolder)},
         false,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.machine.hasFolder(u"C:\\Program Files\\Orvandale"));
             EXPECT_FALSE(b.machine.hasFolder(kFolder));
             EXPECT_FALSE(b.machine.hasKey(kInstallKey));
         }},
        {"old shortcut could not be deleted",
         [](InstallBench& b) {
             prepareInstalled(b);
             b.machine.undeletableFiles.insert(kShortcut);
         },
         false,
         {kCheckingFolder, kFolderChecked, kCopyingFiles, kFilesCopied, kRegistering, kRegistered,
          kStartingProgram, kProgramStarted, kInstallFinished},
         true,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.machine.hasFile(kShortcut));
         }},
        {"a program file could not be written",
         [](InstallBench& b) {
             prepareInstalled(b);
             b.shell.failingWrites.insert(kUninstaller);
         },
         true, linesUpTo(kUpdateRun, kCopyingFiles, {kFileCopyFailed + kUninstaller}), false,
         [](InstallBench& b, const FakeMachine::State&) {
             ASSERT_EQ(b.shell.written.size(), 1u);
             EXPECT_EQ(b.shell.written[0].second, kResidentProgram);
             EXPECT_FALSE(b.machine.hasFile(kShortcut)) << "the old shortcut is already removed";
         }},
        {"startup shortcut could not be created",
         [](InstallBench& b) {
             prepareFresh(b);
             b.shell.shortcutSucceeds = false;
         },
         true, linesUpTo(kFreshRun, kRegistering, {kShortcutFailed}), false,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.machine.hasFile(kResidentProgram));
             EXPECT_TRUE(b.machine.hasFile(kUninstaller));
             EXPECT_FALSE(b.machine.hasKey(kInstallKey));
         }},
        {"common Startup folder unknown",
         [](InstallBench& b) {
             prepareFresh(b);
             b.shell.startupFolder.reset();
         },
         true, linesUpTo(kFreshRun, kRegistering, {kShortcutFailed}), false,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.shell.shortcuts.empty());
         }},
        {"a registry key could not be created",
         [](InstallBench& b) {
             prepareFresh(b);
             b.machine.failingKeyCreations.insert(kUninstallEntryKey);
         },
         true, linesUpTo(kFreshRun, kRegistering, {kRegistryFailed}), false,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.machine.hasFile(kResidentProgram));
             EXPECT_TRUE(b.machine.hasFile(kShortcut));
             EXPECT_EQ(b.machine.readText(kInstallKey, kPathValue), std::u16string(kFolder));
         }},
        {"a registry value could not be written",
         [](InstallBench& b) {
             prepareFresh(b);
             b.machine.failingValueWrites.insert(u"UninstallString");
         },
         true, linesUpTo(kFreshRun, kRegistering, {kRegistryFailed}), false,
         [](InstallBench&, const FakeMachine::State&) {}},
        {"the resident program could not be started",
         [](InstallBench& b) {
             prepareFresh(b);
             b.shell.startSucceeds = false;
         },
         true, linesUpTo(kFreshRun, kStartingProgram, {kProgramStartFailed}), true,
         [](InstallBench& b, const FakeMachine::State&) {
             EXPECT_TRUE(b.machine.hasKey(kUninstallEntryKey)) << "the installation is complete";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallBench bench;
        c.arrange(bench);
        const FakeMachine::State before = bench.machine.state();
        installAndReport(bench.install, {kFolder, c.startUp});
        EXPECT_EQ(bench.shell.log, c.log);
        ASSERT_FALSE(bench.machine.shown.empty());
        const auto& final = bench.machine.shown.back();
        EXPECT_EQ(final.text, c.succeeds ? kSucceededMessage : kFailedMessage);
        EXPECT_EQ(final.caption, c.succeeds ? kSucceededCaption : kFailedCaption);
        EXPECT_EQ(final.buttons, Buttons::Ok);
        c.whatStays(bench, before);
    }
}

// An update: the old shortcut goes (and is logged), a new one comes only when chosen, and every
// value is written again.
TEST(InstallRun, UpdateReplacesProgramsShortcutAndEveryValue) {
    for (bool startUp : {true, false}) {
        SCOPED_TRACE(startUp ? "startup on" : "startup off");
        InstallBench bench;
        prepareInstalled(bench);
        for (const auto& [name, value] : bench.machine.values(kInstallKey)) {
            if (name != kStartUpPathValue) {
                bench.machine.writeText(kInstallKey, name, u"stale");
            }
        }
        for (const auto& [name, value] : bench.machine.values(kUninstallEntryKey)) {
            bench.machine.writeText(kUninstallEntryKey, name, u"stale");
        }
        bench.resident.running = true;
        bench.resident.pollsUntilClosed = 3;

        installAndReport(bench.install, {kFolder, startUp});

        EXPECT_EQ(bench.resident.closeRequests, 1);
        EXPECT_EQ(bench.resident.logLinesWhenAsked, 0u) << "asked before anything else";
        EXPECT_EQ(bench.shell.log, kUpdateRun);
        EXPECT_EQ(bench.machine.deletedFiles, Lines({kShortcut}));
        EXPECT_EQ(bench.shell.written.size(), 2u);
        EXPECT_EQ(bench.shell.shortcuts.size(), startUp ? 1u : 0u);
        EXPECT_EQ(bench.machine.hasFile(kShortcut), startUp);

        FakeMachine expected;
        ASSERT_TRUE(registerInstall(
            expected, {kFolder, startUp, kStartupFolder,
                       sizeInKb(testing::kResidentProgramSize + testing::kUninstallerSize)}));
        EXPECT_EQ(bench.machine.values(kInstallKey), expected.values(kInstallKey));
        EXPECT_EQ(bench.machine.values(kUninstallEntryKey), expected.values(kUninstallEntryKey));
    }
}

TEST(InstallRun, StartupOffRecordsZeroAndStillTheShortcutPath) {
    InstallBench bench;
    prepareFresh(bench);
    installAndReport(bench.install, {kFolder, false});
    EXPECT_EQ(bench.shell.log, kFreshRun);
    EXPECT_TRUE(bench.shell.shortcuts.empty());
    EXPECT_FALSE(bench.machine.hasFile(kShortcut));
    EXPECT_EQ(bench.machine.readNumber(kInstallKey, kStartUpValue), 0u);
    EXPECT_EQ(bench.machine.readText(kInstallKey, kStartUpPathValue), kShortcut);
}

}  // namespace
}  // namespace zelko
