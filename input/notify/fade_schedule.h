#pragma once
// The notification window's fade: what one 16 ms tick does for a given tick count.

#include <cstdint>

namespace zelko {

constexpr int kFadeStartTick = 30;
constexpr int kFadeLastTick = 60;

struct FadeStep {
    int nextTick = 0;             // the new fade tick (0 = idle)
    bool hide = false;            // hide the window (and set its alpha back to 255)
    bool setAlpha = false;        // set the window's alpha to `alpha`
    std::uint8_t alpha = 255;
};

// fadeTick 0: nothing. 60: hide, back to idle. Otherwise the next tick, with its alpha from tick
// 30 on: (60 - tick) * 255 / 30, truncated.
FadeStep advanceFade(int fadeTick);

}  // namespace zelko
