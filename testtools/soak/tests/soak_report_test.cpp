#include "soak/soak_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "soak/soak_codes.h"

namespace zelko::soak {
namespace {

std::string addressOf(unsigned long number) {
    return "http://" + scanCode(number);
}

struct ArrivalCase {
    const char* name;
    std::vector<std::string> addresses;
    unsigned long typed;
    ArrivalCheck expected;
};

class CheckArrivals : public ::testing::TestWithParam<ArrivalCase> {};

TEST_P(CheckArrivals, CountsEachTypedScanOnce) {
    const ArrivalCase& c = GetParam();
    const ArrivalCheck check = checkArrivals(c.addresses, c.typed);
    EXPECT_EQ(check.distinct, c.expected.distinct);
    EXPECT_EQ(check.repeated, c.expected.repeated);
    EXPECT_EQ(check.foreign, c.expected.foreign);
    EXPECT_EQ(check.outOfOrder, c.expected.outOfOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, CheckArrivals,
    ::testing::Values(
        ArrivalCase{"AllInOrder", {addressOf(0), addressOf(1), addressOf(2)}, 3, {3, 0, 0, 0}},
        ArrivalCase{"NoneArrived", {}, 5, {0, 0, 0, 0}},
        // Scans dropped in between are lost, not out of order.
        ArrivalCase{
            "GapsAreNotDisorder", {addressOf(0), addressOf(4), addressOf(9)}, 10, {3, 0, 0, 0}},
        ArrivalCase{"Repeated", {addressOf(0), addressOf(1), addressOf(1)}, 2, {2, 1, 0, 0}},
        ArrivalCase{"EarlierAfterLater",
                    {addressOf(0), addressOf(2), addressOf(1), addressOf(3)},
                    4,
                    {4, 0, 0, 1}},
        // A code not yet typed, the browser's own start option and a cut address are no scans.
        ArrivalCase{"Foreign",
                    {addressOf(0), addressOf(7), "--fake-lifetime=960", addressOf(1).substr(0, 20)},
                    2,
                    {1, 0, 3, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SoakTable, RowHoldsEveryFigure) {
    SoakRow row;
    row.label = "5 min";
    row.minutes = 5.04;
    row.resources = {10240 * 1024ULL, 66, 29, 4};
    row.scans = {300, 299, 298, 297};
    EXPECT_EQ(tableRow(row), "| 5 min | 5.0 | 10240 | 66 | 29 | 4 | 300 | 299 | 298 | 297 |\n");
}

TEST(SoakTable, SummaryShowsGrowthBetweenFirstAndLast) {
    SoakRow first, middle, last;
    first.resources = {8 * 1024 * 1024ULL, 60, 19, 4};
    middle.resources = {12 * 1024 * 1024ULL, 70, 29, 5};
    last.resources = {10 * 1024 * 1024ULL, 66, 29, 4};
    const std::string summary = resourceSummary({first, middle, last});
    EXPECT_NE(summary.find("first 8192, last 10240 (+2048), smallest 8192, largest 12288"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("first 60, last 66 (+6), smallest 60, largest 70"), std::string::npos)
        << summary;
    EXPECT_EQ(resourceSummary({}), "no samples\n");
}

}  // namespace
}  // namespace zelko::soak
