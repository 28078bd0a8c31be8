#include "scan/scan_code.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko {
namespace {

struct SplitCase {
    std::string code;
    int result;
    std::string first, second, third;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.code);
}

class SplitScanCodeTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitScanCodeTest, SplitsExactlyTwoSlashes) {
    const SplitCase& c = GetParam();
    std::string first = "untouched", second = "untouched", third = "untouched";
    EXPECT_EQ(splitScanCode(c.code, &first, &second, &third), c.result);
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(second, c.second);
    EXPECT_EQ(third, c.third);
}

const std::string kUntouched = "untouched";

INSTANTIATE_TEST_SUITE_P(
    Codes, SplitScanCodeTest,
    ::testing::Values(SplitCase{"host/abc/123", 1, "host", "abc", "123"},
                      SplitCase{"a//b", 1, "a", "", "b"}, SplitCase{"//", 1, "", "", ""},
                      SplitCase{"/pen/", 1, "", "pen", ""},
                      SplitCase{"host/x\" --inject \"y/z", 1, "host", "x\" --inject \"y", "z"},
                      SplitCase{"", 0, kUntouched, kUntouched, kUntouched},
                      SplitCase{"hostabc123", 0, kUntouched, kUntouched, kUntouched},
                      SplitCase{"host/abc123", 0, kUntouched, kUntouched, kUntouched},
                      SplitCase{"host/abc/123/", 0, kUntouched, kUntouched, kUntouched},
                      SplitCase{"a/b/c/d/e", 0, kUntouched, kUntouched, kUntouched},
                      // The text ends at a NUL byte, as the stored scan text does.
                      SplitCase{std::string("a/b/c\0/", 7), 1, "a", "b", "c"},
                      SplitCase{std::string("a/b\0/c", 6), 0, kUntouched, kUntouched, kUntouched}));

TEST(SplitScanCode, FirstSegmentMayBeUnwanted) {
    std::string second, third;
    EXPECT_EQ(splitScanCode("host/pen/code", nullptr, &second, &third), 1);
    EXPECT_EQ(second, "pen");
    EXPECT_EQ(third, "code");
    EXPECT_EQ(splitScanCode("host/pen/code", nullptr, nullptr, nullptr), 1);
}

}  // namespace
}  // namespace zelko
