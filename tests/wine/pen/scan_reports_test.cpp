// The simulator types scans as the pen does: every text it can type decodes back to itself.

#include <gtest/gtest.h>

#include "pen/scan_assembler.h"
#include "pensim/scan_reports.h"

namespace zelko::test {
namespace {

std::vector<std::string> decodeAll(const std::vector<pensim::TimedReport>& reports,
                                   int* scanStarts) {
    ScanAssembler assembler;
    std::vector<std::string> scans;
    for (const auto& report : reports) {
        const std::uint8_t bytes[kReportSize] = {report.bytes[0], report.bytes[1], report.bytes[2],
                                                 report.bytes[3]};
        auto step = assembler.feed(bytes);
        *scanStarts += step.scanStarted ? 1 : 0;
        if (step.completedScan) {
            scans.push_back(*step.completedScan);
        }
    }
    return scans;
}

TEST(ScanReportsTest, EveryTypeableCharacterDecodesBack) {
    std::string all;
    for (char c = 0x20; c < 0x7F; ++c) {
        if (pensim::keyStrokeFor(c, false)) {
            all += c;
        }
    }
    all += '\t';
    // Every printable ASCII character has a key of its own (backslash two), and tab.
    EXPECT_EQ(all.size(), 95u + 1u) << all;
    for (bool capsLock : {false, true}) {
        for (bool marker : {false, true}) {
            pensim::ScanTyping typing;
            typing.capsLock = capsLock;
            typing.marker = marker;
            const auto reports = pensim::scanReports(all, typing);
            ASSERT_TRUE(reports);
            int scanStarts = 0;
            EXPECT_EQ(decodeAll(*reports, &scanStarts), std::vector<std::string>{all});
            EXPECT_EQ(scanStarts, 1);
        }
    }
}

TEST(ScanReportsTest, TextThePenCannotTypeIsRefused) {
    EXPECT_FALSE(pensim::scanReports("caf\xc3\xa9"));
    EXPECT_FALSE(pensim::scanReports("line\nbreak"));
}

}  // namespace
}  // namespace zelko::test
