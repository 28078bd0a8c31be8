// Starting with no settings file, or with a damaged one: the program runs either way.

#include <gtest/gtest.h>

#include "support/resident_program.h"

namespace zelko::test {
namespace {

struct SettingsFileCase {
    const char* name;
    bool writeFile;
    std::string bytes;
};

void PrintTo(const SettingsFileCase& file, std::ostream* out) {
    *out << file.name;
}

class StartWithSettingsFile : public ::testing::TestWithParam<SettingsFileCase> {};

TEST_P(StartWithSettingsFile, ProgramRuns) {
    ResidentProgram program(Build::Shipped);
    if (GetParam().writeFile) {
        program.writeSettingsBytes(GetParam().bytes);
    }
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(program.process().running());
    EXPECT_EQ(program.close(), 0u);
    // Starting never writes the settings file.
    EXPECT_EQ(program.settingsBytes(), GetParam().writeFile ? GetParam().bytes : std::string());
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartWithSettingsFile,
    ::testing::Values(SettingsFileCase{"missing", false, {}}, SettingsFileCase{"empty", true, {}},
                      SettingsFileCase{"short", true, std::string("\x01\x00\x00", 3)},
                      SettingsFileCase{"garbage", true, std::string(544, '\xFF')},
                      SettingsFileCase{"oversized", true, std::string(5000, 'x')}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko::test
