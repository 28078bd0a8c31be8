// The pen's reports for a scan text.

#include "pensim/scan_reports.h"

namespace zelko::pensim {
namespace {

struct LayoutKey {
    char character;
    std::uint8_t keyCode;
    bool shift;
};

// Digits and symbols of the Japanese layout (letters are computed).
constexpr LayoutKey kLayout[] = {
    {'1', 0x1E, false}, {'!', 0x1E, true},   {'2', 0x1F, false}, {'"', 0x1F, true},
    {'3', 0x20, false}, {'#', 0x20, true},   {'4', 0x21, false}, {'$', 0x21, true},
    {'5', 0x22, false}, {'%', 0x22, true},   {'6', 0x23, false}, {'&', 0x23, true},
    {'7', 0x24, false}, {'\'', 0x24, true},  {'8', 0x25, false}, {'(', 0x25, true},
    {'9', 0x26, false}, {')', 0x26, true},   {'0', 0x27, false}, {'\t', 0x2B, false},
    {' ', 0x2C, false}, {'-', 0x2D, false},  {'=', 0x2D, true},  {'^', 0x2E, false},
    {'~', 0x2E, true},  {'@', 0x2F, false},  {'`', 0x2F, true},  {'[', 0x30, false},
    {'{', 0x30, true},  {'\\', 0x87, false}, {'_', 0x87, true},  {'|', 0x31, true},
    {']', 0x32, false}, {'}', 0x32, true},   {';', 0x33, false}, {'+', 0x33, true},
    {':', 0x34, false}, {'*', 0x34, true},   {',', 0x36, false}, {'<', 0x36, true},
    {'.', 0x37, false}, {'>', 0x37, true},   {'/', 0x38, false}, {'?', 0x38, true},
};

constexpr std::uint8_t kEnterKey = 0x28;
constexpr std::uint8_t kLeftShift = 0x02;
constexpr std::uint8_t kRightShift = 0x20;
constexpr std::uint8_t kLeftGui = 0x08;  // the pen's start-of-scan marker
constexpr std::uint8_t kCapsLockFlag = 0x02;

}  // namespace

std::optional<KeyStroke> keyStrokeFor(char character, bool capsLock) {
    if (character >= 'a' && character <= 'z') {
        return KeyStroke{static_cast<std::uint8_t>(0x04 + (character - 'a')), capsLock};
    }
    if (character >= 'A' && character <= 'Z') {
        return KeyStroke{static_cast<std::uint8_t>(0x04 + (character - 'A')), !capsLock};
    }
    for (const LayoutKey& key : kLayout) {
        if (key.character == character) {
            return KeyStroke{key.keyCode, key.shift};
        }
    }
    return std::nullopt;
}

std::optional<std::vector<TimedReport>> scanReports(const std::string& text,
                                                    const ScanTyping& typing) {
    std::vector<TimedReport> reports;
    const std::uint8_t flags = typing.capsLock ? kCapsLockFlag : 0;
    const std::uint8_t shiftBit = typing.rightShift ? kRightShift : kLeftShift;
    const auto add = [&](std::uint8_t modifiers, std::uint8_t keyCode, unsigned extraDelay) {
        const unsigned delay = reports.empty() ? 0 : typing.gapMicroseconds;
        reports.push_back(TimedReport{delay + extraDelay, {0x00, modifiers, keyCode, flags}});
    };
    const auto press = [&](std::uint8_t modifiers, std::uint8_t keyCode, unsigned extraDelay) {
        add(modifiers, keyCode, extraDelay);
        if (typing.releaseReports) {
            add(0, 0, 0);
        }
    };

    if (typing.marker) {
        press(kLeftGui, 0, 0);
    }
    for (std::size_t index = 0; index < text.size(); ++index) {
        const auto stroke = keyStrokeFor(text[index], typing.capsLock);
        if (!stroke) {
            return std::nullopt;
        }
        const unsigned pause = typing.pauseBeforeCharacter == index ? typing.pauseMicroseconds : 0;
        press(stroke->shift ? shiftBit : 0, stroke->keyCode, pause);
    }
    if (typing.endOfScan) {
        add(0, kEnterKey, 0);  // the last report of the scan: its end
    }
    return reports;
}

}  // namespace zelko::pensim
