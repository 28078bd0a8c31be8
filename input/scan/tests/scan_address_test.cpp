#include "scan/scan_address.h"

#include <gtest/gtest.h>

#include <string>

namespace zelko {
namespace {

TEST(AddressForScan, UsableCodesGetTheScheme) {
    EXPECT_EQ(addressForScan("host/abc/123"), "http://host/abc/123");
    EXPECT_EQ(addressForScan("a//b"), "http://a//b");
    EXPECT_EQ(addressForScan("//"), "http:////");
}

TEST(AddressForScan, UnusableCodesGiveNoAddress) {
    for (const char* code : {"", "host", "host/abc", "host/abc/123/x", "a/b/c/d"}) {
        EXPECT_EQ(addressForScan(code), "") << code;
    }
}

struct SafeCase {
    std::string address;
    std::string safe;
};

void PrintTo(const SafeCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.address);
}

class UrlSafeAddressTest : public ::testing::TestWithParam<SafeCase> {};

TEST_P(UrlSafeAddressTest, EncodesOnlyWhatMayNotStandInAUrl) {
    EXPECT_EQ(urlSafeAddress(GetParam().address), GetParam().safe);
}

INSTANTIATE_TEST_SUITE_P(
    PlainAddressesUnchanged, UrlSafeAddressTest,
    ::testing::Values(SafeCase{"http://host/abc/123", "http://host/abc/123"},
                      SafeCase{"http://a//b", "http://a//b"},
                      SafeCase{"http://www.example.co.jp/pen-1/4901234567894",
                               "http://www.example.co.jp/pen-1/4901234567894"},
                      // Everything the pen can type that is legal in a URL stays as it is,
                      // including an escape that is already there.
                      SafeCase{"http://h/p/!#$%25&'()*+,-.:;=?@[]_~",
                               "http://h/p/!#$%25&'()*+,-.:;=?@[]_~"},
                      SafeCase{"", ""}));

INSTANTIATE_TEST_SUITE_P(
    HostileAddressesEncoded, UrlSafeAddressTest,
    ::testing::Values(
        // A quote would end the quoted argument and let the rest become browser arguments.
        SafeCase{"http://host/x\" --inject \"y", "http://host/x%22%20--inject%20%22y"},
        SafeCase{"http://h/p/a b", "http://h/p/a%20b"},
        SafeCase{"http://h/p/a\tb\r\n\x7F", "http://h/p/a%09b%0D%0A%7F"},
        SafeCase{"http://h/p/\x80\xFF\xE3\x81\x82", "http://h/p/%80%FF%E3%81%82"},
        SafeCase{"http://h/p/<>\\^`{|}", "http://h/p/%3C%3E%5C%5E%60%7B%7C%7D"},
        SafeCase{std::string("http://h/p/a\0\" b", 16), "http://h/p/a"}));

TEST(UrlSafeAddress, ResultIsBoundedAndNeverSplitsAnEscape) {
    const std::string plain = "http://h/p/" + std::string(2000, 'a');
    EXPECT_EQ(urlSafeAddress(plain), plain.substr(0, kMaxAddressLength));

    // 7 + 1015 = 1022 plain bytes, then a quote: its %22 would pass the limit, so it is dropped.
    const std::string nearLimit = "http://" + std::string(1015, 'b') + "\"";
    EXPECT_EQ(urlSafeAddress(nearLimit), nearLimit.substr(0, 1022));

    const std::string quotes(1000, '"');
    const std::string safe = urlSafeAddress(quotes);
    EXPECT_EQ(safe.size(), 1023u);
    EXPECT_EQ(safe.substr(safe.size() - 3), "%22");
}

}  // namespace
}  // namespace zelko
