// The installer's own full-path rule gives what the platform's GetFullPathNameW gives.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/text.h"
#include "install/dialogs/windows_path.h"
#include "support/test_paths.h"

namespace zelko::test {
namespace {

std::wstring platformFullPath(const std::wstring& text) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(text.c_str(), MAX_PATH, path, nullptr);
    std::wstring full(path, length < MAX_PATH ? length : 0);
    // The rule leaves no trailing backslash but after a bare drive or share.
    if (full.size() > 3 && full.back() == L'\\' && full.compare(0, 2, L"\\\\") != 0) {
        full.pop_back();
    }
    return full;
}

TEST(InstallPathOnWine, FullPathRuleAgreesWithThePlatform) {
    const std::wstring folder = freshScratchDirectory(currentTestName()) + L"\\current";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    wchar_t current[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, current), 0u);
    const std::wstring drive(current, 2);

    const std::wstring texts[] = {
        L"C:\\Program Files",
        L"D:\\",
        L"C:/a//b/./c/../d",
        L"C:\\a.\\b",
        L"C:\\Program Files. . ",
        L"C:\\..\\..\\x",
        L"abc",
        L".",
        L"..",
        L"..\\..\\x",
        L"a/../b",
        L"\\x\\y",
        drive,
        drive + L"abc",
        L"\\\\server\\share\\x",
        L"//server/share/x/../y",
    };
    for (const auto& text : texts) {
        auto rule = fullPath(toU16(text), toU16(current));
        ASSERT_TRUE(rule) << text;
        EXPECT_EQ(toWide(*rule), platformFullPath(text)) << "typed: " << text;
    }
    SetCurrentDirectoryW(binDirectory().c_str());
}

}  // namespace
}  // namespace zelko::test
