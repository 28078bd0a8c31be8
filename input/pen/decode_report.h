#pragma once
// Decoding of the pen's 4-byte input reports (keyboard usages of a Japanese-layout keyboard).

#include <cstdint>

namespace zelko {

constexpr int kReportSize = 4;

enum class ReportOutcome { Nothing, ScanStart, Character, EndOfScan };

struct DecodedReport {
    ReportOutcome outcome = ReportOutcome::Nothing;
    char character = 0;  // set for ReportOutcome::Character
};

// The character of one key code, or 0 when the key gives none.
char keyCodeToCharacter(std::uint8_t keyCode, bool shift, bool capsLock);

DecodedReport decodeReport(const std::uint8_t (&report)[kReportSize]);

}  // namespace zelko
