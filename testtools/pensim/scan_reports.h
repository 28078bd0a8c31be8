#pragma once
// Scans as the pen types them: streams of 4-byte keyboard reports of a Japanese-layout keyboard,
// with the pauses between them. Portable; no Windows calls.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelko::pensim {

using InputReport = std::array<std::uint8_t, 4>;

struct TimedReport {
    unsigned delayMicroseconds = 0;  // wait before this report is sent
    InputReport bytes{};
};

struct ScanTyping {
    bool marker = true;            // a start-of-scan marker report first (byte 1 = 0x08)
    bool capsLock = false;         // the pen's Caps Lock is on: letters are typed accordingly
    bool rightShift = false;       // Shift as 0x20 instead of 0x02
    bool releaseReports = true;    // a key-up report (no key) after each key
    bool endOfScan = true;         // Enter at the end
    unsigned gapMicroseconds = 0;  // between consecutive reports
    // A longer pause before the character at this index (e.g. over 3 s inside a scan).
    std::optional<std::size_t> pauseBeforeCharacter;
    unsigned pauseMicroseconds = 0;
};

// The key code and Shift state that type `character`, or nothing for characters the pen cannot
// type. With Caps Lock on, letters need Shift for the lower case.
struct KeyStroke {
    std::uint8_t keyCode = 0;
    bool shift = false;
};
std::optional<KeyStroke> keyStrokeFor(char character, bool capsLock);

// The reports of one scan; nothing when the text holds a character the pen cannot type.
std::optional<std::vector<TimedReport>> scanReports(const std::string& text,
                                                    const ScanTyping& typing = {});

}  // namespace zelko::pensim
