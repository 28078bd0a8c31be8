#include "about/download_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zelko {
namespace {

TEST(ParseContentLength, DecimalDigitsOnly) {
    struct Case {
        std::string value;
        std::optional<std::uint64_t> length;
    };
    const Case cases[] = {
        {"0", 0},
        {"20000", 20000},
        {" 42 ", 42},
        {"\t7", 7},
        {"18446744073709551615", 18446744073709551615ull},
        {"18446744073709551616", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"12a", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseContentLength(c.value), c.length) << '"' << c.value << '"';
    }
}

TEST(BodyIsWhole, MatchesAGivenLength) {
    EXPECT_TRUE(bodyIsWhole(std::nullopt, 0));
    EXPECT_TRUE(bodyIsWhole(std::nullopt, 123));
    EXPECT_TRUE(bodyIsWhole(std::string_view("123"), 123));
    EXPECT_FALSE(bodyIsWhole(std::string_view("123"), 122));
    EXPECT_FALSE(bodyIsWhole(std::string_view("123"), 124));
    EXPECT_FALSE(bodyIsWhole(std::string_view("many"), 4));
}

struct DownloadCase {
    const char* name;
    unsigned status;
    std::optional<std::string> contentLength;
    std::vector<std::string> chunks;
    bool worthReading;
    bool accepted;
    std::size_t refusedAtChunk = SIZE_MAX;  // the first chunk that take() refuses
};

void PrintTo(const DownloadCase& c, std::ostream* os) {
    *os << c.name;
}

class DownloadCheckTest : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(DownloadCheckTest, AcceptsOnlyAWholeProgram) {
    const DownloadCase& c = GetParam();
    std::optional<std::string_view> length;
    if (c.contentLength) {
        length = *c.contentLength;
    }
    DownloadCheck check(c.status, length);
    EXPECT_EQ(check.worthReading(), c.worthReading);
    std::size_t refusedAt = SIZE_MAX;
    for (std::size_t i = 0; i < c.chunks.size(); ++i) {
        if (!check.take(c.chunks[i])) {
            refusedAt = i;
            break;
        }
    }
    EXPECT_EQ(refusedAt, c.refusedAtChunk);
    EXPECT_EQ(check.whole(), c.accepted);
}

const std::string kProgram = std::string("MZ\x90\x00\x03", 5) + std::string(100, 'x');

INSTANTIATE_TEST_SUITE_P(
    Downloads, DownloadCheckTest,
    ::testing::Values(DownloadCase{"WholeWithLength", 200, "105", {kProgram}, true, true},
                      DownloadCase{"WholeWithoutLength", 200, std::nullopt, {kProgram}, true, true},
                      DownloadCase{"WholeInChunks", 200, "6", {"M", "Z", "abcd"}, true, true},
                      DownloadCase{"JustTheMark", 200, "2", {"MZ"}, true, true},
                      DownloadCase{"NotFound", 404, "105", {kProgram}, false, false, 0},
                      DownloadCase{"ServerError", 500, std::nullopt, {}, false, false},
                      DownloadCase{"Redirect", 302, "0", {}, false, false},
                      DownloadCase{"ErrorPage", 200, "15", {"<html>404</html>"}, true, false, 0},
                      DownloadCase{"MarkAcrossChunks", 200, "3", {"M", "Zz"}, true, true},
                      DownloadCase{"SecondByteWrong", 200, "3", {"M", "X"}, true, false, 1},
                      DownloadCase{"Empty", 200, "0", {}, true, false},
                      DownloadCase{"EmptyWithoutLength", 200, std::nullopt, {}, true, false},
                      DownloadCase{"OneByte", 200, std::nullopt, {"M"}, true, false},
                      DownloadCase{"Cut", 200, "200", {kProgram}, true, false},
                      DownloadCase{"LongerThanSaid", 200, "3", {"MZab"}, true, false, 0},
                      DownloadCase{"LengthNotANumber", 200, "lots", {kProgram}, false, false, 0},
                      DownloadCase{
                          "LengthBeyondTheBound", 200, "268435457", {kProgram}, false, false, 0},
                      DownloadCase{"LengthAtTheBound", 200, "268435456", {kProgram}, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadCheck, RefusesABodyBeyondTheBound) {
    DownloadCheck check(200, std::nullopt);
    const std::string chunk = "MZ" + std::string(1024 * 1024 - 2, 'x');
    std::uint64_t taken = 0;
    bool refused = false;
    while (taken <= DownloadCheck::kMaxInstallerSize) {
        if (!check.take(chunk)) {
            refused = true;
            break;
        }
        taken += chunk.size();
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(taken, DownloadCheck::kMaxInstallerSize);
    EXPECT_FALSE(check.whole());
}

}  // namespace
}  // namespace zelko
