#include "login_window/login_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko {
namespace {

struct LayoutCase {
    const char* name;
    int labelWidth;
    std::size_t shownFields;
    int clientWidth;
    int clientHeight;
    int editLeft;
    int loginLeft;
    int cancelLeft;
    int buttonTop;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class LoginWindowLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LoginWindowLayoutTest, SizesAndPlacesEveryControl) {
    const LayoutCase& c = GetParam();
    const LoginWindowLayout layout = loginWindowLayout(c.labelWidth, c.shownFields);
    EXPECT_EQ(layout.clientWidth, c.clientWidth);
    EXPECT_EQ(layout.clientHeight, c.clientHeight);
    ASSERT_EQ(layout.captions.size(), c.shownFields);
    ASSERT_EQ(layout.edits.size(), c.shownFields);
    for (std::size_t row = 0; row < c.shownFields; ++row) {
        const int step = 24 * static_cast<int>(row);
        EXPECT_EQ(layout.captions[row].x, 8);
        EXPECT_EQ(layout.captions[row].y, 10 + step);
        EXPECT_EQ(layout.edits[row].x, c.editLeft);
        EXPECT_EQ(layout.edits[row].y, 8 + step);
        EXPECT_EQ(layout.edits[row].width, 160);
        EXPECT_EQ(layout.edits[row].height, 16);
    }
    EXPECT_EQ(layout.loginButton.x, c.loginLeft);
    EXPECT_EQ(layout.cancelButton.x, c.cancelLeft);
    for (const LayoutRect& button : {layout.loginButton, layout.cancelButton}) {
        EXPECT_EQ(button.y, c.buttonTop);
        EXPECT_EQ(button.width, 96);
        EXPECT_EQ(button.height, 18);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginWindowLayoutTest,
    ::testing::Values(
        // A 60-pixel caption: client width 244, edit boxes at 76, login at 36, cancel at 140. Two
        // shown fields (text and password beside next and hidden): 24 x 2 + 34 = 82 pixels high.
        LayoutCase{"SixtyPixelCaptionTwoFields", 60, 2, 244, 82, 76, 36, 140, 56},
        LayoutCase{"OneField", 48, 1, 232, 58, 64, 24, 128, 32},
        LayoutCase{"FourFields", 120, 4, 304, 130, 136, 96, 200, 104},
        // No fields at all: no caption was measured.
        LayoutCase{"NoFields", -1, 0, 183, 34, 15, -25, 79, 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoginWindowLayout, WidestCaptionOrNone) {
    EXPECT_EQ(widestCaption({}), -1);
    EXPECT_EQ(widestCaption({12, 60, 48}), 60);
    EXPECT_EQ(widestCaption({0}), 0);
}

TEST(LoginWindowLayout, CentredRoundingTowardZero) {
    const LayoutPoint point = centredOnScreen(1280, 1024, 251, 117);
    EXPECT_EQ(point.x, 514);
    EXPECT_EQ(point.y, 453);
    // A window larger than the screen: a negative offset, rounded toward zero.
    const LayoutPoint large = centredOnScreen(100, 100, 103, 105);
    EXPECT_EQ(large.x, -1);
    EXPECT_EQ(large.y, -2);
}

TEST(LoginWindowLayout, EditLimitIsTheFieldsMaxLength) {
    EXPECT_EQ(editTextLimit(20), 20);
    EXPECT_EQ(editTextLimit(0), 0);
    EXPECT_EQ(editTextLimit(-5), 0);
}

TEST(LoginWindowLayout, ValuesAreTakenOverUpTo1023Bytes) {
    EXPECT_FALSE(acceptableFieldValue(""));
    EXPECT_TRUE(acceptableFieldValue("a"));
    EXPECT_TRUE(acceptableFieldValue(std::string(kMaxFieldValueBytes, 'x')));
    EXPECT_FALSE(acceptableFieldValue(std::string(kMaxFieldValueBytes + 1, 'x')));
}

}  // namespace
}  // namespace zelko
