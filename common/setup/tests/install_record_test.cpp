#include "common/setup/install_record.h"

#include <gtest/gtest.h>

#include "common/setup/testing/fake_machine.h"

namespace zelko {
namespace {

using testing::FakeMachine;
using Value = FakeMachine::Value;

// Writes a complete record, except that `name` gets `replacement` or, without one, is left out.
void writeRecord(FakeMachine& machine, const std::u16string& name = u"",
                 std::optional<Value> replacement = std::nullopt) {
    const FakeMachine::Values record = {
        {kPathValue, u"C:\\Program Files\\Orvandale\\ZelkoInput"},
        {kExePathValue, u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInput.exe"},
        {kStartUpPathValue, u"C:\\Startup\\ZELKOペンミドルウェア.lnk"},
        {kStartUpValue, std::uint32_t{1}},
    };
    machine.createKey(kInstallKey);
    for (auto [valueName, value] : record) {
        if (valueName == name) {
            if (!replacement) {
                continue;
            }
            value = *replacement;
        }
        if (auto* text = std::get_if<std::u16string>(&value)) {
            machine.writeText(kInstallKey, valueName, *text);
        } else {
            machine.writeNumber(kInstallKey, valueName, std::get<std::uint32_t>(value));
        }
    }
}

TEST(InstallRecord, JoinsFolderAndNameWithOneBackslash) {
    EXPECT_EQ(joinPath(u"C:\\a", u"ZelkoInput.exe"), u"C:\\a\\ZelkoInput.exe");
}

TEST(InstallRecord, ReadsAllFourValues) {
    FakeMachine machine;
    writeRecord(machine, kStartUpValue, std::uint32_t{0});
    auto record = readInstallRecord(machine);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->path, u"C:\\Program Files\\Orvandale\\ZelkoInput");
    EXPECT_EQ(record->exePath, u"C:\\Program Files\\Orvandale\\ZelkoInput\\ZelkoInput.exe");
    EXPECT_EQ(record->startUpPath, u"C:\\Startup\\ZELKOペンミドルウェア.lnk");
    EXPECT_EQ(record->startUp, 0u);
}

TEST(InstallRecord, CountsAsMissingWithoutTheKey) {
    FakeMachine machine;
    EXPECT_FALSE(readInstallRecord(machine));
    EXPECT_FALSE(readStoredChoices(machine));
}

// A value missing, of the wrong type, or longer than the programs' buffers of 260 characters.
TEST(InstallRecord, CountsAsMissingWhenAValueIsMissingOrUnreadable) {
    struct Case {
        const char16_t* name;
        std::optional<Value> replacement;
        bool uninstallRecord;  // what readInstallRecord gives
        bool storedChoices;    // what readStoredChoices gives
    };
    const std::u16string tooLong(260, u'x');
    const std::u16string longest(259, u'x');
    const Case cases[] = {
        {kPathValue, std::nullopt, false, false},
        {kExePathValue, std::nullopt, false, true},
        {kStartUpPathValue, std::nullopt, false, true},
        {kStartUpValue, std::nullopt, false, false},
        {kStartUpValue, u"1", false, false},
        {kPathValue, std::uint32_t{1}, false, false},
        {kPathValue, tooLong, false, false},
        {kExePathValue, tooLong, false, true},
        {kStartUpPathValue, tooLong, false, true},
        {kPathValue, longest, true, true},
    };
    for (const Case& c : cases) {
        FakeMachine machine;
        writeRecord(machine, c.name, c.replacement);
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(readInstallRecord(machine).has_value(), c.uninstallRecord);
        EXPECT_EQ(readStoredChoices(machine).has_value(), c.storedChoices);
    }
}

TEST(InstallRecord, StoredChoicesTakeAnyNonzeroStartUpAsOn) {
    for (std::uint32_t startUp : {0u, 1u, 5u}) {
        FakeMachine machine;
        writeRecord(machine, kStartUpValue, startUp);
        auto choices = readStoredChoices(machine);
        ASSERT_TRUE(choices);
        EXPECT_EQ(choices->folder, u"C:\\Program Files\\Orvandale\\ZelkoInput");
        EXPECT_EQ(choices->startUp, startUp != 0) << startUp;
    }
}

}  // namespace
}  // namespace zelko
