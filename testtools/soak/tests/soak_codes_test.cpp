#include "soak/soak_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pensim/scan_reports.h"
#include "scan/scan_code.h"

namespace zelko::soak {
namespace {

// The soak counts a scan as arrived by its address, so a code typed twice, a code the pen cannot
// type or one the program refuses would show as lost scans that were never lost.
TEST(SoakScanCode, EveryCodeOfAnHourIsDifferentTypableAndUsable) {
    constexpr unsigned long kScansOfAnHourAtTenASecond = 36000;
    std::set<std::string> seen;
    std::set<std::string> hosts, pens;
    std::set<std::size_t> barcodeLengths;
    for (unsigned long number = 0; number < kScansOfAnHourAtTenASecond; ++number) {
        const std::string code = scanCode(number);
        ASSERT_TRUE(seen.insert(code).second) << "scan " << number << " repeats " << code;
        ASSERT_TRUE(pensim::scanReports(code)) << code;
        std::string host, pen, barcode;
        ASSERT_EQ(splitScanCode(code, &host, &pen, &barcode), 1) << code;
        hosts.insert(host);
        pens.insert(pen);
        barcodeLengths.insert(barcode.size());
    }
    EXPECT_GE(hosts.size(), 3u);
    EXPECT_GE(pens.size(), 10u);
    EXPECT_GE(barcodeLengths.size(), 3u);
}

TEST(SoakScanCode, CodesAreTheSameInEveryRun) {
    EXPECT_EQ(scanCode(0), scanCode(0));
    EXPECT_NE(scanCode(0), scanCode(36000));
}

struct CheckDigitCase {
    const char* digits;
    char check;
};

class EanCheckDigit : public ::testing::TestWithParam<CheckDigitCase> {};

TEST_P(EanCheckDigit, MatchesPublishedCodes) {
    EXPECT_EQ(eanCheckDigit(GetParam().digits), GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(KnownCodes, EanCheckDigit,
                         ::testing::Values(CheckDigitCase{"490123456789", '4'},  // EAN-13
                                           CheckDigitCase{"400638133393", '1'},  // EAN-13
                                           CheckDigitCase{"000000000000", '0'},  // sum 0
                                           CheckDigitCase{"9638507", '4'}));     // EAN-8

}  // namespace
}  // namespace zelko::soak
