#include "virtualpen/report_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zelko::virtualpen {
namespace {

// What a HID report descriptor parser makes of the descriptor: the top-level collection's usage
// page and usage, the bits of the input and output reports, the logical range of the fields.
struct ParsedDescriptor {
    bool wellFormed = false;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    unsigned inputBits = 0;
    unsigned outputBits = 0;
    int32_t logicalMinimum = 0;
    int32_t logicalMaximum = 0;
    bool reportIds = false;
};

int32_t signedValue(const std::vector<uint8_t>& data) {
    int32_t value = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        value |= static_cast<int32_t>(data[i]) << (8 * i);
    }
    const unsigned bits = static_cast<unsigned>(data.size() * 8);
    if (bits > 0 && bits < 32 && (value & (1 << (bits - 1))) != 0) {
        value -= 1 << bits;
    }
    return value;
}

ParsedDescriptor parse(const uint8_t* bytes, std::size_t length) {
    ParsedDescriptor parsed;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    unsigned reportSize = 0;
    unsigned reportCount = 0;
    int depth = 0;
    bool collectionSeen = false;
    std::size_t at = 0;
    while (at < length) {
        const uint8_t prefix = bytes[at++];
        const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (at + size > length) {
            return parsed;
        }
        const std::vector<uint8_t> data(bytes + at, bytes + at + size);
        at += size;
        uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<uint32_t>(data[i]) << (8 * i);
        }
        switch (prefix & 0xFC) {
            case 0x04:
                usagePage = static_cast<uint16_t>(value);
                break;
            case 0x08:
                usage = static_cast<uint16_t>(value);
                break;
            case 0x14:
                parsed.logicalMinimum = signedValue(data);
                break;
            case 0x24:
                parsed.logicalMaximum = signedValue(data);
                break;
            case 0x74:
                reportSize = value;
                break;
            case 0x94:
                reportCount = value;
                break;
            case 0x84:
                parsed.reportIds = true;
                break;
            case 0xA0:
                if (depth++ == 0 && !collectionSeen) {
                    parsed.usagePage = usagePage;
                    parsed.usage = usage;
                    collectionSeen = true;
                }
                break;
            case 0xC0:
                --depth;
                break;
            case 0x80:
                parsed.inputBits += reportSize * reportCount;
                break;
            case 0x90:
                parsed.outputBits += reportSize * reportCount;
                break;
            default:
                break;
        }
    }
    parsed.wellFormed = collectionSeen && depth == 0;
    return parsed;
}

struct UsageCase {
    uint16_t usagePage;
    uint16_t usage;
};

class ReportDescriptorUsages : public ::testing::TestWithParam<UsageCase> {};

TEST_P(ReportDescriptorUsages, ReadBackAsTheCollectionsUsageWithThePensReportSizes) {
    const UsageCase usageCase = GetParam();
    uint8_t bytes[kMaxReportDescriptorSize];
    const std::size_t length =
        encodeReportDescriptor(usageCase.usagePage, usageCase.usage, bytes, sizeof(bytes));
    ASSERT_GT(length, 0u);
    const ParsedDescriptor parsed = parse(bytes, length);
    ASSERT_TRUE(parsed.wellFormed);
    EXPECT_EQ(parsed.usagePage, usageCase.usagePage);
    EXPECT_EQ(parsed.usage, usageCase.usage);
    // Without report ids: 3 input bytes and 1 output byte after the id byte 0 of each report.
    EXPECT_FALSE(parsed.reportIds);
    EXPECT_EQ(parsed.inputBits, 3u * 8);
    EXPECT_EQ(parsed.outputBits, 1u * 8);
    EXPECT_EQ(parsed.logicalMinimum, 0);
    EXPECT_EQ(parsed.logicalMaximum, 255);
}

INSTANTIATE_TEST_SUITE_P(Usages, ReportDescriptorUsages,
                         ::testing::Values(UsageCase{0x0001, 0x0000},    // the pen
                                           UsageCase{0x0001, 0x0006},    // a keyboard's
                                           UsageCase{0x000C, 0x0001},    // consumer control
                                           UsageCase{0xFF00, 0x0100}));  // two-byte values

TEST(ReportDescriptor, ReportsNothingWhenTheRoomIsTooSmall) {
    uint8_t bytes[kMaxReportDescriptorSize];
    const std::size_t length = encodeReportDescriptor(0x0001, 0x0000, bytes, sizeof(bytes));
    ASSERT_GT(length, 0u);
    EXPECT_EQ(encodeReportDescriptor(0x0001, 0x0000, bytes, length - 1), 0u);
    EXPECT_EQ(encodeReportDescriptor(0x0001, 0x0000, bytes, length), length);
}

}  // namespace
}  // namespace zelko::virtualpen
