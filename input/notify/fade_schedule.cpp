// The notification window's fade schedule, one step per 16 ms tick.

#include "notify/fade_schedule.h"

namespace zelko {

FadeStep advanceFade(int fadeTick) {
    FadeStep step;
    if (fadeTick <= 0) {
        return step;  // idle (a value below 0 cannot occur and is treated as idle)
    }
    if (fadeTick >= kFadeLastTick) {
        // The last tick; a count past it cannot occur and ends the fade as well, so the window
        // never stays up.
        step.hide = true;
        return step;
    }
    step.nextTick = fadeTick + 1;
    if (step.nextTick >= kFadeStartTick) {
        const int span = kFadeLastTick - kFadeStartTick;
        step.setAlpha = true;
        step.alpha = static_cast<std::uint8_t>(
            static_cast<int>((kFadeLastTick - step.nextTick) * 255.0 / span));
    }
    return step;
}

}  // namespace zelko
