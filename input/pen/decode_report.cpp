// Decoding of the pen's keyboard reports (Japanese layout).

#include "pen/decode_report.h"

namespace zelko {

namespace {

constexpr std::uint8_t kShiftBits = 0x02 | 0x20;   // left and right Shift
constexpr std::uint8_t kMarkerBits = 0x08 | 0x80;  // left and right GUI: start of a scan
constexpr std::uint8_t kCapsLockBit = 0x02;        // in the flags byte

constexpr std::uint8_t kFirstLetter = 0x04;
constexpr std::uint8_t kLastLetter = 0x1D;
constexpr std::uint8_t kFirstRowKey = 0x1E;
constexpr std::uint8_t kLastRowKey = 0x38;
constexpr std::uint8_t kInternational1 = 0x87;

constexpr char kLineFeed = 0x0A;
constexpr char kEscape = 0x1B;

// Keys 0x1E to 0x38, indexed by code - 0x1E.
constexpr char kPlainRow[27] = {
    '1', '2', '3', '4', '5', '6',  '7', '8', '9', '0', kLineFeed, kEscape, 0,   '\t',
    ' ', '-', '^', '@', '[', '\\', ']', ';', ':', 0,   ',',       '.',     '/',
};
constexpr char kShiftRow[27] = {
    '!', '"', '#', '$', '%', '&', '\'', '(', ')', 0, kLineFeed, kEscape, 0,   '\t',
    ' ', '=', '~', '`', '{', '|', '}',  '+', '*', 0, '<',       '>',     '?',
};
static_assert(sizeof kPlainRow == kLastRowKey - kFirstRowKey + 1, "one entry per key");
static_assert(sizeof kShiftRow == kLastRowKey - kFirstRowKey + 1, "one entry per key");

}  // namespace

char keyCodeToCharacter(std::uint8_t keyCode, bool shift, bool capsLock) {
    if (keyCode >= kFirstLetter && keyCode <= kLastLetter) {
        const char base = (shift != capsLock) ? 'A' : 'a';
        return static_cast<char>(base + (keyCode - kFirstLetter));
    }
    if (keyCode == kInternational1) {
        return shift ? '_' : '\\';
    }
    if (keyCode >= kFirstRowKey && keyCode <= kLastRowKey) {
        return (shift ? kShiftRow : kPlainRow)[keyCode - kFirstRowKey];
    }
    return 0;
}

DecodedReport decodeReport(const std::uint8_t (&report)[kReportSize]) {
    const std::uint8_t modifiers = report[1];
    const bool shift = (modifiers & kShiftBits) != 0;
    const bool capsLock = (report[3] & kCapsLockBit) != 0;
    const char character = keyCodeToCharacter(report[2], shift, capsLock);

    DecodedReport decoded;
    if ((modifiers & kMarkerBits) != 0) {
        decoded.outcome = ReportOutcome::ScanStart;
    } else if (character == kLineFeed) {
        decoded.outcome = ReportOutcome::EndOfScan;
    } else if (character == kEscape || character == 0) {
        decoded.outcome = ReportOutcome::Nothing;
    } else {
        decoded.outcome = ReportOutcome::Character;
        decoded.character = character;
    }
    return decoded;
}

}  // namespace zelko
