#include "about/update_reply.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelko {
namespace {

struct ReplyCase {
    const char* name;
    std::string body;
    unsigned version;
    std::optional<std::string> address;
};

void PrintTo(const ReplyCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseUpdateReply : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ParseUpdateReply, GivesTheVersionAndTheAddress) {
    const ReplyCase& c = GetParam();
    const UpdateReply reply = parseUpdateReply(c.body);
    EXPECT_EQ(reply.version, c.version);
    EXPECT_EQ(reply.installerAddress, c.address);
}

const std::string kAddress = "http://update.zelko.example/files/ZelkoInstall.exe";
const std::string kLongest(kMaxUpdateReplyLine, 'a');
const std::string kTooLong(kMaxUpdateReplyLine + 1, 'a');

INSTANTIATE_TEST_SUITE_P(
    Replies, ParseUpdateReply,
    ::testing::Values(
        ReplyCase{"Offer", "40\r\n" + kAddress + "\r\n", 40, kAddress},
        ReplyCase{"UpToDate", "39\r\n", 39, std::nullopt},
        ReplyCase{"FiveDigits", "12345\r\n" + kAddress + "\r\n", 12345, kAddress},
        ReplyCase{"LoneLineFeeds", "41\n" + kAddress + "\n", 41, kAddress},
        ReplyCase{"LoneCarriageReturns", "41\r" + kAddress + "\r", 41, kAddress},
        ReplyCase{"MoreLinesIgnored", "40\r\n" + kAddress + "\r\nmore\r\n", 40, kAddress},
        ReplyCase{"NoLineBreak", "40", 0, std::nullopt}, ReplyCase{"Empty", "", 0, std::nullopt},
        ReplyCase{"SecondLineNotEnded", "40\r\n" + kAddress, 40, std::nullopt},
        ReplyCase{"SecondLineEmpty", "40\r\n\r\n", 40, std::nullopt},
        ReplyCase{"NotANumber", "<html>\r\n" + kAddress + "\r\n", 0, kAddress},
        ReplyCase{"DigitsThenText", "40 beta\r\n" + kAddress + "\r\n", 40, kAddress},
        ReplyCase{"LeadingBlanksAndPlus", "  +40\r\n" + kAddress + "\r\n", 40, kAddress},
        ReplyCase{"Negative", "-40\r\n" + kAddress + "\r\n", 0, kAddress},
        ReplyCase{"BeyondThirtyTwoBits", "4294967296\r\n" + kAddress + "\r\n", 0, kAddress},
        ReplyCase{"LargestNumber", "4294967295\r\n", 4294967295u, std::nullopt},
        ReplyCase{"EndsAtNul", std::string("40\0\r\n", 5), 0, std::nullopt},
        ReplyCase{"FirstLineOf1023Bytes",
                  "40" + std::string(1021, ' ') + "\r\n" + kAddress + "\r\n", 40, kAddress},
        ReplyCase{"FirstLineOf1024BytesRefused",
                  "40" + std::string(1022, ' ') + "\r\n" + kAddress + "\r\n", 0, std::nullopt},
        ReplyCase{"FirstLineOf1024BytesNotEndedRefused", "40" + std::string(1022, ' '), 0,
                  std::nullopt},
        ReplyCase{"SecondLineOf1023Bytes", "40\r\n" + kLongest + "\r\n", 40, kLongest},
        ReplyCase{"SecondLineOf1024BytesRefused", "40\r\n" + kTooLong + "\r\n", 0, std::nullopt},
        ReplyCase{"SecondLineOf1024BytesNotEndedRefused", "40\r\n" + kTooLong, 0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko
