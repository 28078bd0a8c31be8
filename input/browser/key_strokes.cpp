// The key events that press a chord and that type a text.

#include "browser/key_strokes.h"

namespace zelko {

namespace {

struct Modifier {
    std::uint16_t shiftBit;
    std::uint8_t virtualKey;
};

constexpr Modifier kModifiers[] = {
    {0x100, kVirtualKeyShift},
    {0x200, kVirtualKeyControl},
    {0x400, kVirtualKeyAlt},
};

constexpr std::uint16_t kKnownShiftBits = 0x700;
constexpr std::uint8_t kNoKey = 0xFF;

KeyStroke virtualKey(std::uint16_t code, bool release) {
    return KeyStroke{KeyStroke::Kind::VirtualKey, code, release};
}

void appendChord(std::vector<KeyStroke>& strokes, KeyChord chord) {
    for (const Modifier& modifier : kModifiers) {
        if (chord & modifier.shiftBit) {
            strokes.push_back(virtualKey(modifier.virtualKey, false));
        }
    }
    const std::uint8_t key = static_cast<std::uint8_t>(chord & 0xFF);
    strokes.push_back(virtualKey(key, false));
    strokes.push_back(virtualKey(key, true));
    for (auto modifier = std::rbegin(kModifiers); modifier != std::rend(kModifiers); ++modifier) {
        if (chord & modifier->shiftBit) {
            strokes.push_back(virtualKey(modifier->virtualKey, true));
        }
    }
}

bool layoutProduces(std::int16_t answer) {
    const auto chord = static_cast<std::uint16_t>(answer);
    return answer != -1 && (chord & 0xFF) != kNoKey && (chord & 0xFF) != 0 &&
           (chord & 0xFF00 & ~kKnownShiftBits) == 0;
}

}  // namespace

std::vector<KeyStroke> chordStrokes(KeyChord chord) {
    std::vector<KeyStroke> strokes;
    appendChord(strokes, chord);
    return strokes;
}

std::vector<KeyStroke> typingStrokes(std::u16string_view text, const KeyScan& keyScan) {
    std::vector<KeyStroke> strokes;
    for (char16_t unit : text) {
        const std::int16_t answer = keyScan(unit);
        if (layoutProduces(answer)) {
            appendChord(strokes, static_cast<KeyChord>(answer));
        } else {
            strokes.push_back(KeyStroke{KeyStroke::Kind::Unicode, unit, false});
            strokes.push_back(KeyStroke{KeyStroke::Kind::Unicode, unit, true});
        }
    }
    return strokes;
}

}  // namespace zelko
