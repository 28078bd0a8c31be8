// The shipped program: one instance per session, a refused second start, and a clean close.

#include <gtest/gtest.h>

#include "support/message_box.h"
#include "support/resident_program.h"
#include "support/test_paths.h"
#include "support/wait.h"

namespace zelko::test {
namespace {

constexpr wchar_t kRefusalCaption[] = L"ゼルコペンミドルウェア";
constexpr wchar_t kRefusalText[] = L"起動できませんでした";

TEST(SingleInstance, ShippedProgramShowsItsTrayWindow) {
    ResidentProgram program(Build::Shipped);
    ASSERT_TRUE(program.start());
    wchar_t title[64] = {};
    GetWindowTextW(program.trayWindow(), title, 64);
    EXPECT_STREQ(title, L"ZelkaInput");
    EXPECT_FALSE(IsWindowVisible(program.trayWindow()));
    EXPECT_EQ(program.close(), 0u);
}

TEST(SingleInstance, SecondStartIsRefusedAndTheFirstKeepsRunning) {
    ResidentProgram program(Build::Shipped);
    ASSERT_TRUE(program.start());

    ChildProcess second = program.startAnother();
    ASSERT_TRUE(second.started());
    HWND box = waitForMessageBox(kRefusalCaption, 15s);
    ASSERT_NE(box, nullptr) << "no refusal message box";
    EXPECT_EQ(messageBoxText(box), kRefusalText);
    DWORD boxOwner = 0;
    GetWindowThreadProcessId(box, &boxOwner);
    EXPECT_EQ(boxOwner, second.id());
    EXPECT_TRUE(clickMessageBoxButton(box));

    EXPECT_EQ(second.waitForExit(10s), 0u);
    EXPECT_TRUE(program.process().running());
    EXPECT_EQ(findTrayWindowOf(program.process().id()), program.trayWindow());
    EXPECT_EQ(program.close(), 0u);
}

TEST(SingleInstance, CloseRequestEndsTheProgramAndANewOneStarts) {
    ResidentProgram first(Build::Shipped);
    ASSERT_TRUE(first.start());
    EXPECT_EQ(first.close(10s), 0u);
    EXPECT_EQ(findTrayWindowOf(first.process().id()), nullptr);

    ResidentProgram second(Build::Shipped, currentTestName() + L".again");
    ASSERT_TRUE(second.start()) << "a new instance must start after the first has exited";
    EXPECT_EQ(countMessageBoxes(kRefusalCaption), 0);
    EXPECT_EQ(second.close(), 0u);
}

}  // namespace
}  // namespace zelko::test
