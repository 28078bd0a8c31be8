#include "install/run/register_install.h"

#include <gtest/gtest.h>

#include "common/setup/install_record.h"
#include "common/setup/testing/fake_machine.h"

namespace zelko {
namespace {

using testing::FakeMachine;

constexpr char16_t kFolder[] = u"C:\\Program Files\\Orvandale\\ZelkoInput";
constexpr char16_t kStartup[] = u"C:\\ProgramData\\Startup";

TEST(RegisterInstall, WritesTheInstallRecordAndTheUninstallEntry) {
    FakeMachine machine;
    ASSERT_TRUE(registerInstall(machine, {kFolder, true, kStartup, 801}));

    const FakeMachine::Values record = {
        {u"Path", u"C:\\Program Files\\Orvandale\\ZelkoInput"},
        {u"ExePath", u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInput.exe"},
        {u"StartUp", std::uint32_t{1}},
        {u"StartUpPath", u"C:\\ProgramData\\Startup\\ZELKOペンミドルウェア.lnk"},
    };
    EXPECT_EQ(machine.values(u"SOFTWARE\\Orvandale\\ZelkoInput\\Install"), record);

    const FakeMachine::Values entry = {
        {u"DisplayName", u"ZELKOペンミドルウェア"},
        {u"UninstallString", u"\"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoUnInstall.exe\""},
        {u"DisplayVersion", u"0.0.3.9"},
        {u"Publisher", u"Orvandale"},
        {u"DisplayIcon", u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInput.exe"},
        {u"InstallLocation", u"C:\\Program Files\\Orvandale\\ZelkoInput"},
        {u"EstimatedSize", std::uint32_t{801}},
        {u"NoModify", std::uint32_t{1}},
        {u"NoRepair", std::uint32_t{1}},
    };
    EXPECT_EQ(
        machine.values(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KVNZelkoInput"),
        entry);
    EXPECT_TRUE(machine.hasKey(u"SOFTWARE\\Orvandale"));
    EXPECT_TRUE(machine.values(u"SOFTWARE\\Orvandale\\ZelkoInput").empty());
}

TEST(RegisterInstall, FailsWhenAKeyOrValueCannotBeWritten) {
    for (const char16_t* key : {kMakerKey, kProductKey, kInstallKey, kUninstallEntryKey}) {
        FakeMachine machine;
        machine.failingKeyCreations.insert(key);
        EXPECT_FALSE(registerInstall(machine, {kFolder, true, kStartup, 1}));
    }
    for (const char16_t* value : {u"Path", u"StartUp", u"DisplayName", u"NoRepair"}) {
        FakeMachine machine;
        machine.failingValueWrites.insert(value);
        EXPECT_FALSE(registerInstall(machine, {kFolder, true, kStartup, 1}));
    }
}

TEST(RegisterInstall, SizesAreRoundedUpToKilobytes) {
    EXPECT_EQ(sizeInKb(0), 0u);
    EXPECT_EQ(sizeInKb(1), 1u);
    EXPECT_EQ(sizeInKb(1024), 1u);
    EXPECT_EQ(sizeInKb(1025), 2u);
}

}  // namespace
}  // namespace zelko
