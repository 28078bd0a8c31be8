#pragma once
// Waiting for the resident program under test to read a simulated pen.

#include <chrono>

#include "pensim/simulated_pen.h"
#include "support/resident_program.h"

namespace zelko::test {

// True once the tray shows the pen usable and the reader holds `pen`'s read handle open (the one
// handle that stays open after the probes and the claim), within `timeout`.
bool waitUntilReadingPen(const ResidentProgram& program, const pensim::SimulatedPen& pen,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace zelko::test
