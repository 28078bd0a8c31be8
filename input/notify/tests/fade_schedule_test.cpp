#include "notify/fade_schedule.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

TEST(AdvanceFade, StepForEachTick) {
    struct Case {
        int tick;
        int nextTick;
        bool hide;
        bool setAlpha;
        int alpha;  // checked when setAlpha
    };
    const Case cases[] = {
        {0, 0, false, false, 0},    // idle: nothing
        {1, 2, false, false, 0},    // opaque
        {28, 29, false, false, 0},  // last opaque tick
        {29, 30, false, true, 255}, {30, 31, false, true, 246}, {31, 32, false, true, 238},
        {44, 45, false, true, 127}, {58, 59, false, true, 8},   {59, 60, false, true, 0},
        {60, 0, true, false, 0},  // hidden, back to idle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tick);
        const FadeStep step = advanceFade(c.tick);
        EXPECT_EQ(step.nextTick, c.nextTick);
        EXPECT_EQ(step.hide, c.hide);
        EXPECT_EQ(step.setAlpha, c.setAlpha);
        if (c.setAlpha) {
            EXPECT_EQ(step.alpha, c.alpha);
        }
    }
}

TEST(AdvanceFade, ImpossibleCountsNeverLeaveTheWindowUp) {
    EXPECT_TRUE(advanceFade(61).hide);
    EXPECT_EQ(advanceFade(61).nextTick, 0);
    EXPECT_TRUE(advanceFade(1000).hide);
    EXPECT_FALSE(advanceFade(-5).hide);
    EXPECT_EQ(advanceFade(-5).nextTick, 0);
}

TEST(AdvanceFade, ShownWindowFadesMonotonicallyAndHidesAfterSixtyTicks) {
    int tick = 1;  // as showScanWindow leaves it
    int lastAlpha = 255;
    int advances = 0;
    int alphaChanges = 0;
    bool hidden = false;
    while (!hidden && advances < 1000) {
        const FadeStep step = advanceFade(tick);
        ++advances;
        if (step.setAlpha) {
            ++alphaChanges;
            EXPECT_LE(step.alpha, lastAlpha) << "tick " << step.nextTick;
            lastAlpha = step.alpha;
            if (step.nextTick < kFadeLastTick) {
                EXPECT_GT(step.alpha, 0) << "tick " << step.nextTick;
            }
        } else if (!step.hide) {
            EXPECT_LT(step.nextTick, kFadeStartTick);
        }
        hidden = step.hide;
        tick = step.nextTick;
    }
    EXPECT_TRUE(hidden);
    EXPECT_EQ(advances, 60);      // ticks 1..59 advance, tick 60 hides
    EXPECT_EQ(alphaChanges, 31);  // ticks 30..60
    EXPECT_EQ(lastAlpha, 0);
    EXPECT_EQ(tick, 0);
    EXPECT_FALSE(advanceFade(tick).hide);  // idle again
}

}  // namespace
}  // namespace zelko
