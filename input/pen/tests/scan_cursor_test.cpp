#include "pen/scan_cursor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zelko {
namespace {

using Texts = std::vector<std::string>;

std::string code(int number) {
    return "host/pen/" + std::to_string(number);
}

void pushCodes(ScanList& list, int from, int to) {
    for (int number = from; number <= to; ++number) {
        list.push(code(number));
    }
}

// What a pen event handler does: take every scan not yet taken, oldest first.
Texts takeAll(ScanCursor& cursor, const ScanList& list, std::uint64_t* lost = nullptr) {
    Texts taken;
    while (const std::optional<TakenScan> scan = cursor.takeNext(list)) {
        taken.push_back(scan->text);
        if (lost) {
            *lost += scan->lostBefore;
        }
    }
    return taken;
}

TEST(ScanList, SequenceNumbersFollowThePushesAndAreNeverReused) {
    ScanList list;
    pushCodes(list, 1, 3);
    EXPECT_EQ(list.sequenceAt(0), 3u);
    EXPECT_EQ(list.sequenceAt(2), 1u);
    list.removeScan(-1);
    list.push(code(4));
    EXPECT_EQ(list.sequenceAt(0), 4u);
    list.removeScan(0);
    pushCodes(list, 5, 21);  // past the capacity: the oldest entries go, the numbers go on
    ASSERT_EQ(list.count(), kScanListCapacity);
    EXPECT_EQ(list.sequenceAt(0), 21u);
    EXPECT_EQ(list.sequenceAt(kScanListCapacity - 1), 6u);
}

TEST(ScanCursor, TakesEveryNewScanOnceOldestFirst) {
    struct Case {
        const char* name;
        int alreadyTaken;  // scans pushed and taken before
        int arriving;      // scans pushed before the next pen event is handled
        Texts taken;
        std::uint64_t lost;
    };
    const Case cases[] = {
        {"NoScanYet", 0, 0, {}, 0},
        {"NoneNew", 3, 0, {}, 0},
        {"OneNew", 3, 1, {code(4)}, 0},
        {"ThreeNew", 0, 3, {code(1), code(2), code(3)}, 0},
        {"SixteenNewFillTheList",
         2,
         16,
         {code(3), code(4), code(5), code(6), code(7), code(8), code(9), code(10), code(11),
          code(12), code(13), code(14), code(15), code(16), code(17), code(18)},
         0},
        {"MoreThanSixteenNewLoseTheOldest",
         2,
         19,
         {code(6), code(7), code(8), code(9), code(10), code(11), code(12), code(13), code(14),
          code(15), code(16), code(17), code(18), code(19), code(20), code(21)},
         3},
    };
    for (const Case& c : cases) {
        ScanList list;
        ScanCursor cursor;
        pushCodes(list, 1, c.alreadyTaken);
        takeAll(cursor, list);
        pushCodes(list, c.alreadyTaken + 1, c.alreadyTaken + c.arriving);
        std::uint64_t lost = 0;
        EXPECT_EQ(takeAll(cursor, list, &lost), c.taken) << c.name;
        EXPECT_EQ(lost, c.lost) << c.name;
        EXPECT_EQ(cursor.lastTaken(), static_cast<std::uint64_t>(c.alreadyTaken + c.arriving))
            << c.name;
        // A later pen event with nothing new takes nothing, though the scans are still kept.
        EXPECT_EQ(takeAll(cursor, list), Texts{}) << c.name;
    }
}

TEST(ScanCursor, ScansStayInTheListWhenTaken) {
    ScanList list;
    ScanCursor cursor;
    pushCodes(list, 1, 2);
    ASSERT_TRUE(cursor.takeNext(list));
    EXPECT_EQ(list.count(), 2);
    ASSERT_NE(list.newest(), nullptr);
    EXPECT_EQ(*list.newest(), code(2));
}

TEST(ScanCursor, AnEmptiedListLosesOnlyTheScansNotYetTaken) {
    ScanList list;
    ScanCursor cursor;
    pushCodes(list, 1, 2);
    EXPECT_EQ(takeAll(cursor, list), (Texts{code(1), code(2)}));
    pushCodes(list, 3, 3);
    list.removeScan(-1);  // the auto-login worker empties the list when it has finished
    EXPECT_EQ(takeAll(cursor, list), Texts{});
    pushCodes(list, 4, 5);
    std::uint64_t lost = 0;
    EXPECT_EQ(takeAll(cursor, list, &lost), (Texts{code(4), code(5)}));
    EXPECT_EQ(lost, 1u);
}

// A handler that takes one scan, then, while acting on it, runs a modal loop that handles the
// next pen event: the nested handler goes on from there, and the outer one never repeats a scan.
TEST(ScanCursor, ANestedHandlerNeitherRepeatsNorSkipsAScan) {
    ScanList list;
    ScanCursor cursor;
    Texts acted;
    int depth = 0;
    std::function<void()> handlePenEvent = [&] {
        while (const std::optional<TakenScan> scan = cursor.takeNext(list)) {
            acted.push_back(scan->text);
            if (scan->text == code(2) && depth == 0) {
                ++depth;
                pushCodes(list, 4, 5);  // scans that arrive while the message box is open
                handlePenEvent();       // the modal loop handles the next pen event
                --depth;
            }
        }
    };
    pushCodes(list, 1, 3);
    handlePenEvent();
    EXPECT_EQ(acted, (Texts{code(1), code(2), code(3), code(4), code(5)}));
    // The pen events of scans 2 to 5 still in the queue find nothing left to do.
    handlePenEvent();
    EXPECT_EQ(acted.size(), 5u);
}

}  // namespace
}  // namespace zelko
