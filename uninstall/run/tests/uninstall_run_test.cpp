#include "uninstall/run/uninstall_run.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/setup/install_record.h"
#include "common/setup/testing/fake_machine.h"
#include "uninstall/run/uninstall_texts.h"

namespace zelko {
namespace {

using namespace uninstall_text;
using testing::FakeMachine;
using Paths = std::vector<std::u16string>;

constexpr char16_t kFolder[] = u"C:\\Program Files\\Orvandale\\ZelkoInput";
constexpr char16_t kResidentProgram[] = u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInput.exe";
constexpr char16_t kUninstaller[] = u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoUnInstall.exe";
constexpr char16_t kResidentSettings[] =
    u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInput.cfg";
constexpr char16_t kInstallerSettings[] =
    u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInstall.cfg";
constexpr char16_t kShortcut[] = u"C:\\ProgramData\\Startup\\ZELKOペンミドルウェア.lnk";

// A complete installation, as the installer leaves it.
void install(FakeMachine& machine, std::uint32_t startUp = 1) {
    machine.addFolder(kFolder);
    for (const char16_t* file :
         {kResidentProgram, kUninstaller, kResidentSettings, kInstallerSettings, kShortcut}) {
        machine.addFile(file);
    }
    machine.createKey(kInstallKey);
    machine.writeText(kInstallKey, kPathValue, kFolder);
    machine.writeText(kInstallKey, kExePathValue, kResidentProgram);
    machine.writeNumber(kInstallKey, kStartUpValue, startUp);
    machine.writeText(kInstallKey, kStartUpPathValue, kShortcut);
    machine.createKey(kUninstallEntryKey);
    machine.writeText(kUninstallEntryKey, u"DisplayName", kProductName);
}

bool hasAnyRecordKey(const FakeMachine& machine) {
    return machine.hasKey(kInstallKey) || machine.hasKey(kProductKey) ||
           machine.hasKey(kUninstallEntryKey);
}

TEST(UninstallRun, EachSituationEndsWithItsMessageAndState) {
    struct Case {
        const char* name;
        std::function<void(FakeMachine&)> arrange;
        std::u16string message;
        const char16_t* caption;
        std::function<void(const FakeMachine&, const FakeMachine::State& before)> state;
    };
    auto nothingChanged = [](const FakeMachine& m, const FakeMachine::State& before) {
        EXPECT_TRUE(m.state() == before) << "nothing changed";
    };
    const Case cases[] = {
        {"complete installation", [](FakeMachine& m) { install(m); }, kUninstalled,
         kUninstalledCaption,
         [](const FakeMachine& m, const FakeMachine::State&) {
             EXPECT_EQ(m.deletedFiles, Paths({kResidentProgram, kInstallerSettings, kShortcut}));
             EXPECT_FALSE(hasAnyRecordKey(m));
             EXPECT_TRUE(m.hasKey(kMakerKey)) << "the maker's key stays";
             EXPECT_TRUE(m.hasFile(kUninstaller));
             EXPECT_TRUE(m.hasFile(kResidentSettings));
             EXPECT_TRUE(m.hasFolder(kFolder));
         }},
        {"no install record", [](FakeMachine& m) { m.addFile(kResidentProgram); }, kNotInstalled,
         kErrorCaption, nothingChanged},
        {"a recorded value missing",
         [](FakeMachine& m) {
             install(m);
             m.deleteKey(kInstallKey);
             m.createKey(kInstallKey);
             m.writeText(kInstallKey, kPathValue, kFolder);
             m.writeText(kInstallKey, kExePathValue, kResidentProgram);
             m.writeText(kInstallKey, kStartUpPathValue, kShortcut);
         },
         kNotInstalled, kErrorCaption, nothingChanged},
        {"resident program running (its file in use)",
         [](FakeMachine& m) {
             install(m);
             m.undeletableFiles.insert(kResidentProgram);
         },
         kProgramInUse, kErrorCaption, nothingChanged},
        {"resident program already missing",
         [](FakeMachine& m) {
             install(m);
             m.entries.erase(kResidentProgram);
         },
         kUninstalled, kUninstalledCaption,
         [](const FakeMachine& m, const FakeMachine::State&) {
             EXPECT_EQ(m.deletedFiles, Paths({kInstallerSettings, kShortcut}));
             EXPECT_FALSE(hasAnyRecordKey(m));
         }},
        {"startup off keeps the shortcut", [](FakeMachine& m) { install(m, 0); }, kUninstalled,
         kUninstalledCaption,
         [](const FakeMachine& m, const FakeMachine::State&) {
             EXPECT_TRUE(m.hasFile(kShortcut));
             EXPECT_FALSE(hasAnyRecordKey(m));
         }},
        {"no installer settings file, shortcut cannot be deleted",
         [](FakeMachine& m) {
             install(m);
             m.entries.erase(kInstallerSettings);
             m.undeletableFiles.insert(kShortcut);
         },
         shortcutNotRemoved(kShortcut), kErrorCaption,
         [](const FakeMachine& m, const FakeMachine::State& before) {
             EXPECT_EQ(m.deletedFiles, Paths({kResidentProgram}));
             EXPECT_TRUE(m.hasFile(kShortcut));
             EXPECT_TRUE(m.state().keys == before.keys) << "the record stays for another run";
         }},
        {"installer settings file cannot be deleted",
         [](FakeMachine& m) {
             install(m);
             m.undeletableFiles.insert(kInstallerSettings);
         },
         kUninstalled, kUninstalledCaption,
         [](const FakeMachine& m, const FakeMachine::State&) {
             EXPECT_EQ(m.deletedFiles, Paths({kResidentProgram, kShortcut}));
             EXPECT_TRUE(m.hasFile(kInstallerSettings)) << "it stays, as the folder does";
             EXPECT_FALSE(hasAnyRecordKey(m));
         }},
        {"installer settings name taken by a folder",
         [](FakeMachine& m) {
             install(m);
             m.addFolder(kInstallerSettings);
         },
         kUninstalled, kUninstalledCaption,
         [](const FakeMachine& m, const FakeMachine::State&) {
             EXPECT_TRUE(m.hasFolder(kInstallerSettings));
         }},
        {"a registry key cannot be deleted",
         [](FakeMachine& m) {
             install(m);
             m.createKey(u"SOFTWARE\\Orvandale\\ZelkoInput\\Other");
         },
         kRegistryNotRemoved, kErrorCaption,
         [](const FakeMachine& m, const FakeMachine::State&) {
             EXPECT_FALSE(m.hasKey(kInstallKey)) << "deleted before the failing one";
             EXPECT_TRUE(m.hasKey(kProductKey));
             EXPECT_TRUE(m.hasKey(kUninstallEntryKey));
             EXPECT_FALSE(m.hasFile(kResidentProgram));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMachine machine;
        c.arrange(machine);
        const FakeMachine::State before = machine.state();
        EXPECT_EQ(runUninstall(machine, machine, machine), c.message == kUninstalled);
        ASSERT_EQ(machine.shown.size(), 1u);
        EXPECT_EQ(machine.shown[0].text, c.message);
        EXPECT_EQ(machine.shown[0].caption, c.caption);
        EXPECT_EQ(machine.shown[0].buttons, Buttons::Ok);
        c.state(machine, before);
    }
}

// A shortcut held open by another program: the run that cannot delete it keeps the record, and the
// run after the shortcut was let go removes what is left.
TEST(UninstallRun, RunAfterAHeldShortcutWasLetGoRemovesTheRest) {
    FakeMachine machine;
    install(machine);
    machine.undeletableFiles.insert(kShortcut);
    EXPECT_FALSE(runUninstall(machine, machine, machine));
    ASSERT_TRUE(machine.hasKey(kInstallKey));

    machine.undeletableFiles.clear();
    EXPECT_TRUE(runUninstall(machine, machine, machine));
    EXPECT_EQ(machine.shown.back().text, kUninstalled);
    EXPECT_FALSE(machine.hasFile(kShortcut));
    EXPECT_FALSE(machine.hasFile(kResidentProgram));
    EXPECT_FALSE(hasAnyRecordKey(machine));
}

TEST(UninstallRun, SecondRunFindsNothingInstalled) {
    FakeMachine machine;
    install(machine);
    ASSERT_TRUE(runUninstall(machine, machine, machine));
    EXPECT_FALSE(runUninstall(machine, machine, machine));
    EXPECT_EQ(machine.shown.back().text, kNotInstalled);
}

}  // namespace
}  // namespace zelko
