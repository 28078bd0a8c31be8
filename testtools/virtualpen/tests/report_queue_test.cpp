#include "virtualpen/report_queue.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace zelko::virtualpen {
namespace {

using Queue = ReportQueue<2, 3>;
using Report = std::array<uint8_t, 2>;

Report report(uint8_t value) {
    return {0, value};
}

std::vector<uint8_t> drain(Queue& queue) {
    std::vector<uint8_t> values;
    Report taken{};
    while (queue.pop(taken.data())) {
        values.push_back(taken[1]);
    }
    return values;
}

TEST(ReportQueue, GivesReportsBackInTheOrderTheyCame) {
    Queue queue;
    for (uint8_t value : {1, 2, 3}) {
        ASSERT_TRUE(queue.push(report(value).data()));
    }
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(queue.empty());
}

TEST(ReportQueue, AFullQueueRefusesAReportAndKeepsWhatItHas) {
    Queue queue;
    for (uint8_t value : {1, 2, 3}) {
        queue.push(report(value).data());
    }
    EXPECT_EQ(queue.room(), 0u);
    EXPECT_FALSE(queue.push(report(4).data()));
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(ReportQueue, KeepsTheOrderAcrossTheEndOfItsStorage) {
    Queue queue;
    Report taken{};
    for (uint8_t value : {1, 2, 3}) {
        queue.push(report(value).data());
    }
    ASSERT_TRUE(queue.pop(taken.data()));
    ASSERT_TRUE(queue.push(report(4).data()));
    ASSERT_TRUE(queue.pop(taken.data()));
    ASSERT_TRUE(queue.push(report(5).data()));  // stored before the oldest in the storage
    EXPECT_EQ(taken[1], 2);
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{3, 4, 5}));
}

TEST(ReportQueue, DroppingTheOldestMakesRoomForTheNewest) {
    Queue queue;
    EXPECT_FALSE(queue.pushDroppingOldest(report(1).data()));
    EXPECT_FALSE(queue.pushDroppingOldest(report(2).data()));
    EXPECT_FALSE(queue.pushDroppingOldest(report(3).data()));
    EXPECT_TRUE(queue.pushDroppingOldest(report(4).data()));
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{2, 3, 4}));
}

TEST(ReportQueue, AnEmptyQueueGivesNothingAndLeavesTheBufferAlone) {
    Queue queue;
    Report taken{9, 9};
    EXPECT_FALSE(queue.pop(taken.data()));
    EXPECT_EQ(taken, (Report{9, 9}));
}

}  // namespace
}  // namespace zelko::virtualpen
