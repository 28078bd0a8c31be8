#include "support/pen_reading.h"

#include "support/wait.h"

namespace zelko::test {

bool waitUntilReadingPen(const ResidentProgram& program, const pensim::SimulatedPen& pen,
                         std::chrono::milliseconds timeout) {
    constexpr int kUsable = 0;
    return waitUntil(
        [&] {
            return program.lastTrayState() == kUsable && pen.openHandleCount(50ms) == 1 &&
                   pen.openHandleCount() == 1;
        },
        timeout);
}

}  // namespace zelko::test
