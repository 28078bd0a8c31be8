#include "web/text_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelko {
namespace {

struct FirstLineCase {
    std::string source;
    std::string line;
    std::optional<std::string> rest;  // std::nullopt: the line was not ended
};

void PrintTo(const FirstLineCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.source);
}

class CopyFirstLineTest : public ::testing::TestWithParam<FirstLineCase> {};

TEST_P(CopyFirstLineTest, CopiesTheLineAndPointsPastItsEnd) {
    const FirstLineCase& c = GetParam();
    std::string line = "old content";
    const std::optional<std::string_view> rest = copyFirstLine(c.source, line);
    EXPECT_EQ(line, c.line);
    ASSERT_EQ(rest.has_value(), c.rest.has_value());
    if (rest) {
        EXPECT_EQ(std::string(*rest), *c.rest);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CopyFirstLineTest,
    ::testing::Values(
        FirstLineCase{"abc\r\ndef", "abc", "def"}, FirstLineCase{"abc", "abc", std::nullopt},
        FirstLineCase{"abc\rdef", "abc", "def"}, FirstLineCase{"abc\ndef", "abc", "def"},
        // A lone LF after the CR LF is the next (empty) line's end.
        FirstLineCase{"abc\r\n\ndef", "abc", "\ndef"},
        // LF CR is two line ends, not one.
        FirstLineCase{"abc\n\rdef", "abc", "\rdef"}, FirstLineCase{"abc\r\n", "abc", ""},
        FirstLineCase{"\r\n", "", ""}, FirstLineCase{"", "", std::nullopt},
        // The text ends at its first NUL byte.
        FirstLineCase{std::string("ab\0c\r\n", 6), "ab", std::nullopt},
        FirstLineCase{std::string("ab\r\nc\0d", 7), "ab", "c"}));

TEST(CopyFirstLine, WalksEveryLineOfAnAnswer) {
    std::string line;
    std::optional<std::string_view> rest = std::string_view("40\r\nhttp://host/file.exe\r\n");
    rest = copyFirstLine(*rest, line);
    EXPECT_EQ(line, "40");
    ASSERT_TRUE(rest);
    rest = copyFirstLine(*rest, line);
    EXPECT_EQ(line, "http://host/file.exe");
    ASSERT_TRUE(rest);
    EXPECT_TRUE(rest->empty());
}

struct EncodeCase {
    std::string value;
    std::string encoded;
};

void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.value);
}

class UrlEncodeFormTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(UrlEncodeFormTest, EncodesByteByByte) {
    EXPECT_EQ(urlEncodeForm(GetParam().value), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UrlEncodeFormTest,
    ::testing::Values(EncodeCase{"a b&c", "a+b%26c"}, EncodeCase{"\x82", "%82"},
                      EncodeCase{"azAZ09-._", "azAZ09-._"}, EncodeCase{"", ""},
                      EncodeCase{"~*!'()", "%7E%2A%21%27%28%29"}, EncodeCase{"a=1#x", "a%3D1%23x"},
                      EncodeCase{"%+/?", "%25%2B%2F%3F"}, EncodeCase{"\r\n\t", "%0D%0A%09"},
                      EncodeCase{"\xff\x80\x7f", "%FF%80%7F"},
                      // Shift_JIS for テスト: every byte encoded, upper-case digits.
                      EncodeCase{"\x83\x65\x83\x58\x83\x67", "%83e%83X%83g"},
                      EncodeCase{std::string("ab\0cd", 5), "ab"}));

TEST(UrlEncodeForm, EveryByteIsAtMostThreeCharacters) {
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) {
        everyByte += static_cast<char>(byte);
    }
    const std::string encoded = urlEncodeForm(everyByte);
    EXPECT_LE(encoded.size(), everyByte.size() * 3);
    EXPECT_EQ(encoded.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz"
                                        "ABCDEFGHIJKLMNOPQRSTUVWXYZ-._+%"),
              std::string::npos);
}

}  // namespace
}  // namespace zelko
