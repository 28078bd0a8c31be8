#pragma once
// The read loop as it was first written: the pending read polled with 1 ms sleeps. Kept only so
// that the benchmark can show it beside the shipped loop.

#include "pen/win32/pen_reader.h"

namespace zelko::bench {

void runPollingReadLoop(PenReader& reader);

}  // namespace zelko::bench
