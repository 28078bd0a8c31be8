#include "autologin/service_answers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zelko {
namespace {

using Lines = std::vector<std::string>;

struct LinesCase {
    std::string answer;
    std::optional<Lines> lines;
};

void PrintTo(const LinesCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.answer);
}

class ReadAnswerLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ReadAnswerLines, SplitsAtEveryLineEndAndStopsAtTheFirstEmptyLine) {
    EXPECT_EQ(readAnswerLines(GetParam().answer), GetParam().lines);
}

const std::string kLongestLine(kMaxAnswerLineLength, 'x');

INSTANTIATE_TEST_SUITE_P(
    Answers, ReadAnswerLines,
    ::testing::Values(LinesCase{"a\r\nb\rc\nd", Lines{"a", "b", "c", "d"}},
                      LinesCase{"a\r\nb\r\n", Lines{"a", "b"}},
                      LinesCase{"a\r\n\r\nb\r\n", Lines{"a"}}, LinesCase{"a\n\nb", Lines{"a"}},
                      // LF CR: two line ends, so the second line is empty and ends the reading.
                      LinesCase{"a\n\rb", Lines{"a"}}, LinesCase{"\r\na", Lines{}},
                      LinesCase{"", Lines{}},
                      LinesCase{std::string("a\nb\0c\nd", 7), Lines{"a", "b"}},
                      LinesCase{kLongestLine + "\r\nz", Lines{kLongestLine, "z"}},
                      // A longer line makes the answer malformed: it is never cut.
                      LinesCase{kLongestLine + "x\r\nz", std::nullopt},
                      LinesCase{"a\r\n" + kLongestLine + "x", std::nullopt},
                      // Lines after the first empty one are not read at all.
                      LinesCase{"a\r\n\r\n" + kLongestLine + "x", Lines{"a"}}));

TEST(ParseDecimal, ReadsLikeTheCLibrary) {
    EXPECT_EQ(parseDecimal("20"), 20);
    EXPECT_EQ(parseDecimal("  \t+42"), 42);
    EXPECT_EQ(parseDecimal("-17abc"), -17);
    EXPECT_EQ(parseDecimal("abc"), 0);
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("- 5"), 0);
    EXPECT_EQ(parseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(parseDecimal("99999999999999999999"), 2147483647);
    EXPECT_EQ(parseDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseDecimal("-99999999999999999999"), -2147483647 - 1);
}

TEST(ParseSiteDefinition, ReadsHeaderAndFieldsInOrder) {
    LoginRecord candidate;
    candidate.penId = "PEN1";
    ASSERT_TRUE(parseSiteDefinition(
        std::string("12\r\nshop.example\r\n\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\x83\xE3\x83\x97\r\n"
                    "user,20,text,User\r\n"
                    "pass, 16 ,PASSWORD,Pass,extra,items\r\n"
                    "url,0,Next,\r\n"
                    "token,0,hidden,Token\r\n"),
        candidate));
    EXPECT_EQ(candidate.uid, 12);
    EXPECT_EQ(candidate.siteKey, "shop.example");
    EXPECT_EQ(candidate.siteTitle, "\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\x83\xE3\x83\x97");
    EXPECT_EQ(candidate.penId, "PEN1") << "the pen is not the answer's";
    ASSERT_EQ(candidate.fieldCount(), 4u);
    const LoginField& user = candidate.fields[0];
    EXPECT_EQ(user.fieldName, "user");
    EXPECT_EQ(user.maxLength, 20);
    EXPECT_EQ(user.fieldType, FieldText);
    EXPECT_EQ(user.fieldLabel, "User");
    EXPECT_EQ(candidate.fields[1].fieldType, FieldPassword);
    EXPECT_EQ(candidate.fields[1].maxLength, 16);
    EXPECT_EQ(candidate.fields[1].fieldLabel, "Pass");
    EXPECT_EQ(candidate.fields[2].fieldType, FieldNext);
    EXPECT_EQ(candidate.fields[2].fieldLabel, "");
    EXPECT_EQ(candidate.fields[3].fieldType, FieldHidden);
}

TEST(ParseSiteDefinition, KindInCapitalsGivesTheSameField) {
    LoginRecord lower, upper;
    ASSERT_TRUE(parseSiteDefinition(std::string("1\nk\nt\nuser,20,text,User"), lower));
    ASSERT_TRUE(parseSiteDefinition(std::string("1\nk\nt\nuser,20,TEXT,User"), upper));
    ASSERT_EQ(upper.fieldCount(), 1u);
    EXPECT_EQ(upper.fields[0].fieldType, lower.fields[0].fieldType);
    EXPECT_EQ(upper.fields[0].fieldName, lower.fields[0].fieldName);
    EXPECT_EQ(upper.fields[0].maxLength, lower.fields[0].maxLength);
    EXPECT_EQ(upper.fields[0].fieldLabel, lower.fields[0].fieldLabel);
}

TEST(ParseSiteDefinition, ThreeLinesAreASiteWithoutFields) {
    LoginRecord candidate;
    ASSERT_TRUE(
        parseSiteDefinition(std::string("x\r\nkey\r\ntitle\r\n\r\nuser,1,bogus,U"), candidate));
    EXPECT_EQ(candidate.uid, 0);
    EXPECT_EQ(candidate.fieldCount(), 0u);
}

class MalformedSiteDefinition : public ::testing::TestWithParam<std::optional<std::string>> {};

TEST_P(MalformedSiteDefinition, Fails) {
    LoginRecord candidate;
    EXPECT_FALSE(parseSiteDefinition(GetParam(), candidate));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MalformedSiteDefinition,
    ::testing::Values(std::nullopt, std::string(""), std::string("1\r\nkey\r\n"),
                      std::string("1\r\n\r\nkey\r\ntitle\r\n"),
                      std::string("1\r\nkey\r\ntitle\r\nuser,20,text,User\r\npass,20,secret,P\r\n"),
                      std::string("1\r\nkey\r\ntitle\r\nuser,20,text\r\n"),
                      std::string("1\r\nkey\r\ntitle\r\nuser,20,texts,User\r\n"),
                      std::string("1\r\nkey\r\n") + std::string(kMaxAnswerLineLength + 1, 't')));

TEST(ParseRegistration, TakesTheOneTimeIdAndTheNeedUrlRequest) {
    const std::string oid(kOneTimeIdLength, 'a');
    const auto plain = parseRegistration(oid + "\r\n");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->oid, oid);
    EXPECT_FALSE(plain->needUrl);
    for (const char* word : {"needurl", "NeedUrl", "NEEDURL", "nEeDuRl"}) {
        const auto needing = parseRegistration(oid + "\r\n" + word + "\r\nignored");
        ASSERT_TRUE(needing) << word;
        EXPECT_TRUE(needing->needUrl) << word;
    }
    for (const char* word : {"needurl ", "need url", "needurls", "ok"}) {
        const auto other = parseRegistration(oid + "\n" + word);
        ASSERT_TRUE(other) << word;
        EXPECT_FALSE(other->needUrl) << word;
    }
}

TEST(ParseRegistration, AnythingButA64ByteFirstLineFails) {
    for (const std::optional<std::string>& answer :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("\r\n" + std::string(64, 'a')),
          std::optional<std::string>(std::string(63, 'a') + "\r\nneedurl"),
          std::optional<std::string>(std::string(65, 'a'))}) {
        EXPECT_FALSE(parseRegistration(answer)) << ::testing::PrintToString(answer);
    }
}

}  // namespace
}  // namespace zelko
