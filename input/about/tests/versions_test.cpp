#include "about/versions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zelko {
namespace {

TEST(PenVersionText, HighByteDotTwoDigitLowByte) {
    struct Case {
        bool present;
        std::uint16_t version;
        std::string text;
    };
    const Case cases[] = {
        {true, 0x0102, "1.02"},    {true, 0x0A05, "10.05"}, {true, 0x0103, "1.03"},
        {true, 0x0000, "0.00"},    {true, 0x0063, "0.99"},  {true, 0x00FF, "0.255"},
        {true, 0xFFFF, "255.255"}, {false, 0x0102, "----"}, {false, 0, "----"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(penVersionText(c.present, c.version), c.text)
            << std::hex << c.version << " present " << c.present;
    }
}

TEST(MiddlewareVersionText, LastFourDigitsAreTheParts) {
    struct Case {
        unsigned number;
        std::string text;
    };
    const Case cases[] = {
        {39, "0.0.3.9"},
        {40, "0.0.4.0"},
        {12345, "12.3.4.5"},
        {1000, "1.0.0.0"},
        {9, "0.0.0.9"},
        {100, "0.1.0.0"},
        {4294967295u, "4294967.2.9.5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(middlewareVersionText(c.number), c.text) << c.number;
    }
}

TEST(MiddlewareVersionText, ThisProgramIsVersion0039) {
    EXPECT_EQ(middlewareVersionText(kThisMiddlewareVersion), "0.0.3.9");
    EXPECT_EQ(kFirstNewerMiddlewareVersion, 40u);
}

TEST(JudgeUpdateVersion, OffersFromFortyOn) {
    struct Case {
        unsigned number;
        UpdateVerdict verdict;
    };
    const Case cases[] = {
        {0, UpdateVerdict::ConnectionFailed}, {1, UpdateVerdict::UpToDate},
        {38, UpdateVerdict::UpToDate},        {39, UpdateVerdict::UpToDate},
        {40, UpdateVerdict::NewerVersion},    {41, UpdateVerdict::NewerVersion},
        {12345, UpdateVerdict::NewerVersion}, {4294967295u, UpdateVerdict::NewerVersion},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(judgeUpdateVersion(c.number), c.verdict) << c.number;
    }
}

TEST(UpdateQuestion, NamesTheOfferedVersion) {
    EXPECT_EQ(updateQuestion(40),
              u"最新のミドルウェア 0.0.4.0が公開されています。\nアップデートしますか？");
    EXPECT_EQ(updateQuestion(12345),
              u"最新のミドルウェア 12.3.4.5が公開されています。\nアップデートしますか？");
}

}  // namespace
}  // namespace zelko
