#include "pen/scan_assembler.h"
#include "pen/scan_list.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zelko {
namespace {

using Report = std::array<std::uint8_t, kReportSize>;

Report keyReport(std::uint8_t code, bool shift = false) {
    return {0, static_cast<std::uint8_t>(shift ? 0x02 : 0x00), code, 0};
}
Report markerReport() {
    return {0, 0x08, 0x00, 0};
}
Report enterReport() {
    return keyReport(0x28);
}
Report idleReport() {
    return {0, 0, 0, 0};
}

// The report the pen sends for one character of a scan (letters, digits and the slash).
Report characterReport(char c) {
    if (c >= 'a' && c <= 'z') {
        return keyReport(static_cast<std::uint8_t>(0x04 + (c - 'a')));
    }
    if (c >= 'A' && c <= 'Z') {
        return keyReport(static_cast<std::uint8_t>(0x04 + (c - 'A')), true);
    }
    if (c >= '1' && c <= '9') {
        return keyReport(static_cast<std::uint8_t>(0x1E + (c - '1')));
    }
    if (c == '0') {
        return keyReport(0x27);
    }
    if (c == '/') {
        return keyReport(0x38);
    }
    ADD_FAILURE() << "no report for " << c;
    return idleReport();
}

std::vector<std::string> textsOf(const ScanList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.push_back(list.at(static_cast<std::size_t>(i)));
    }
    return texts;
}

// The reader's scan path: reports go through the assembler, completed scans into the list.
class ScanPath : public ::testing::Test {
  protected:
    ScanAssembler::Step feed(const Report& report) {
        std::uint8_t bytes[kReportSize] = {report[0], report[1], report[2], report[3]};
        ScanAssembler::Step step = assembler_.feed(bytes);
        if (step.scanStarted) {
            ++scanStarts_;
        }
        if (step.completedScan) {
            list_.push(*step.completedScan);
        }
        return step;
    }
    void feedText(const std::string& text) {
        for (char c : text) {
            feed(characterReport(c));
        }
    }
    void scan(const std::string& text, bool withMarker = true) {
        if (withMarker) {
            feed(markerReport());
        }
        feedText(text);
        feed(enterReport());
    }
    std::vector<std::string> kept() const { return textsOf(list_); }

    ScanAssembler assembler_;
    ScanList list_;
    int scanStarts_ = 0;
};

TEST_F(ScanPath, SeventeenScansKeepTheNewestSixteen) {
    for (int i = 1; i <= 17; ++i) {
        scan("h/p/" + std::to_string(i));
    }
    ASSERT_EQ(list_.count(), kScanListCapacity);
    std::vector<std::string> expected;
    for (int i = 17; i >= 2; --i) {
        expected.push_back("h/p/" + std::to_string(i));
    }
    EXPECT_EQ(kept(), expected);
    ASSERT_NE(list_.newest(), nullptr);
    EXPECT_EQ(*list_.newest(), "h/p/17");
    EXPECT_EQ(scanStarts_, 17);
}

TEST_F(ScanPath, OnlyAnExactUpperCaseWwwPrefixIsLowered) {
    struct Case {
        std::string scanned;
        std::string stored;
    };
    const Case cases[] = {
        {"WWWABC/1/2", "wwwABC/1/2"}, {"Www/1/2", "Www/1/2"}, {"wWW/1/2", "wWW/1/2"},
        {"WWwX/1/2", "WWwX/1/2"},     {"WW", "WW"},           {"WWW", "www"},
        {"AWWW/1/2", "AWWW/1/2"},     {"WWWWWW", "wwwWWW"},   {"www/1/2", "www/1/2"},
    };
    for (const Case& c : cases) {
        scan(c.scanned);
        ASSERT_NE(list_.newest(), nullptr);
        EXPECT_EQ(*list_.newest(), c.stored) << c.scanned;
    }
}

TEST_F(ScanPath, OverflowKeepsTheCharactersFromThe256thOn) {
    const std::string pattern = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ";
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text.push_back(pattern[i % pattern.size()]);
    }
    scan(text);
    ASSERT_NE(list_.newest(), nullptr);
    EXPECT_EQ(*list_.newest(), text.substr(255));
    EXPECT_EQ(list_.newest()->size(), 45u);
    EXPECT_EQ(scanStarts_, 1);  // the overflow does not start a new scan
}

TEST_F(ScanPath, TextsUpTo255CharactersAreKeptWhole) {
    struct Case {
        std::size_t length;
        std::size_t keptFrom;  // index of the first kept character
    };
    for (const Case c :
         {Case{254, 0}, Case{255, 0}, Case{256, 255}, Case{510, 255}, Case{511, 510}}) {
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i) {
            text.push_back(static_cast<char>('a' + (i * 7) % 26));
        }
        scan(text);
        ASSERT_NE(list_.newest(), nullptr);
        EXPECT_EQ(*list_.newest(), text.substr(c.keptFrom)) << "length " << c.length;
        EXPECT_LE(list_.newest()->size(), 255u);
    }
}

TEST_F(ScanPath, KeepAliveDropsThePartialScanAndTheRestIsItsOwnScan) {
    feed(markerReport());
    feedText("host/pe");
    EXPECT_TRUE(assembler_.scanInProgress());
    assembler_.dropPartialScan();
    EXPECT_FALSE(assembler_.scanInProgress());
    EXPECT_EQ(list_.count(), 0);

    const ScanAssembler::Step first = feed(characterReport('n'));
    EXPECT_TRUE(first.scanStarted);  // the rest starts a scan of its own
    feedText("/123");
    feed(enterReport());
    EXPECT_EQ(kept(), std::vector<std::string>{"n/123"});
    EXPECT_EQ(scanStarts_, 2);
}

TEST_F(ScanPath, ScanStartIsReportedOncePerScan) {
    // Marker, then characters: the marker starts the scan, the first character does not again.
    EXPECT_TRUE(feed(markerReport()).scanStarted);
    EXPECT_FALSE(feed(characterReport('a')).scanStarted);
    EXPECT_FALSE(feed(markerReport()).scanStarted);  // a second marker inside the scan
    EXPECT_FALSE(feed(characterReport('b')).scanStarted);
    EXPECT_FALSE(feed(enterReport()).scanStarted);

    // No marker: reports without a character do not start it, the first character does.
    EXPECT_FALSE(feed(idleReport()).scanStarted);
    EXPECT_FALSE(feed(keyReport(0x29)).scanStarted);
    EXPECT_TRUE(feed(characterReport('c')).scanStarted);
    EXPECT_FALSE(feed(characterReport('d')).scanStarted);
    EXPECT_FALSE(feed(enterReport()).scanStarted);

    // A marker report carrying a letter only starts the scan.
    EXPECT_TRUE(feed({0, 0x08, 0x04, 0}).scanStarted);
    feed(characterReport('e'));
    feed(enterReport());

    EXPECT_EQ(kept(), (std::vector<std::string>{"e", "cd", "ab"}));
    EXPECT_EQ(scanStarts_, 3);
}

TEST_F(ScanPath, EmptyScansAreStoredAsEmptyTexts) {
    const ScanAssembler::Step markerThenEnter[] = {feed(markerReport()), feed(enterReport())};
    EXPECT_TRUE(markerThenEnter[0].scanStarted);
    ASSERT_TRUE(markerThenEnter[1].completedScan.has_value());
    EXPECT_EQ(*markerThenEnter[1].completedScan, "");

    const ScanAssembler::Step enterAlone = feed(enterReport());
    EXPECT_FALSE(enterAlone.scanStarted);
    ASSERT_TRUE(enterAlone.completedScan.has_value());
    EXPECT_EQ(*enterAlone.completedScan, "");

    EXPECT_EQ(kept(), (std::vector<std::string>{"", ""}));
}

TEST_F(ScanPath, OnlyEndOfScanCompletesAScan) {
    for (const Report& r : {markerReport(), characterReport('x'), idleReport(), keyReport(0x58)}) {
        EXPECT_FALSE(feed(r).completedScan.has_value());
    }
    const ScanAssembler::Step end = feed(keyReport(0x28, true));  // Shift+Enter ends it too
    ASSERT_TRUE(end.completedScan.has_value());
    EXPECT_EQ(*end.completedScan, "x");
    EXPECT_FALSE(assembler_.scanInProgress());
}

TEST(ScanListRemove, ByIndex) {
    struct Case {
        int index;
        bool removed;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {-1, true, {}},
        {0, true, {"middle", "oldest"}},
        {1, true, {"newest", "oldest"}},
        {2, true, {"newest", "middle"}},
        {3, false, {"newest", "middle", "oldest"}},
        {-2, false, {"newest", "middle", "oldest"}},
        {1000, false, {"newest", "middle", "oldest"}},
    };
    for (const Case& c : cases) {
        ScanList list;
        for (const char* text : {"oldest", "middle", "newest"}) {
            list.push(text);
        }
        EXPECT_EQ(list.removeScan(c.index), c.removed) << "index " << c.index;
        EXPECT_EQ(textsOf(list), c.left) << "index " << c.index;
        EXPECT_EQ(list.count(), static_cast<int>(c.left.size()));
    }
}

TEST(ScanListRemove, OnAnEmptyList) {
    ScanList list;
    EXPECT_EQ(list.newest(), nullptr);
    EXPECT_TRUE(list.removeScan(-1));
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.removeScan(0));
    list.push("again");
    EXPECT_EQ(textsOf(list), std::vector<std::string>{"again"});
}

TEST(ScanList, SmallerCapacityTrimsOldestAndAlwaysKeepsTheNewest) {
    ScanList list;
    for (const char* text : {"1", "2", "3", "4"}) {
        list.push(text);
    }
    list.setCapacity(2);
    list.push("5");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0), "5");
    EXPECT_EQ(list.at(1), "4");

    list.setCapacity(0);  // as after the reader's reset: the list stays bounded
    list.push("6");
    list.push("7");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(*list.newest(), "7");
}

}  // namespace
}  // namespace zelko
