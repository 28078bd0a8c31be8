#pragma once
// The base of the tests that install: the machine is cleared of any installation before and after
// each test, and the state before the test is kept for comparison.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/dialog_driver.h"
#include "support/glyphs.h"
#include "support/installation.h"
#include "support/installer_driver.h"
#include "support/screenshot.h"
#include "support/test_paths.h"

namespace zelko::test {

class InstallationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        removeInstallation();
        clean = takeSnapshot();
        ASSERT_TRUE(clean.keys.empty() && clean.files.empty() && !clean.shortcut &&
                    clean.residentPrograms.empty())
            << "an installation is left on the machine";
    }
    void TearDown() override { removeInstallation(otherFolders); }

    // A fresh installation with the default choices, its resident program closed again.
    void installAndCloseTheResidentProgram() {
        ASSERT_TRUE(installWithDefaults().finished);
        auto resident = waitForResidentProgram(std::chrono::seconds(20));
        ASSERT_TRUE(resident) << "the installed resident program did not start";
        ASSERT_TRUE(closeResidentProgram(*resident, std::chrono::seconds(10)));
    }

    InstallationSnapshot clean;
    // Install folders other than the default one that the test used.
    std::vector<std::wstring> otherFolders;
};

// The built program of that name, byte for byte.
inline std::string builtProgram(const wchar_t* name) {
    return readFileBytes(binDirectory() + L"\\" + name);
}

// The glyph check over a dialog's texts, and its screenshot kept under the build's screenshots.
inline void keepPicture(HWND dialog, const wchar_t* name, const wchar_t* face) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(charactersWithoutGlyphs(face, 9, allDialogTexts(dialog)), L"") << name;
    RECT bounds{};
    GetWindowRect(dialog, &bounds);
    EXPECT_FALSE(saveScreenshot(name, bounds).empty()) << "no screenshot of " << name;
}

}  // namespace zelko::test
