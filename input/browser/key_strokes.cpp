// The key events that press a chord and that type a text.

#include "browser/key_strokes.h"

#include <algorithm>

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

}  // namespace

std::vector<KeyStroke> chordStrokes(KeyChord chord) {
    std::vector<KeyStroke> strokes;
    appendChord(strokes, chord);
    return strokes;
}

std::vector<KeyStroke> unicodeStrokes(std::u16string_view text) {
    std::vector<KeyStroke> strokes;
    strokes.reserve(2 * text.size());
    for (char16_t unit : text) {
        strokes.push_back(KeyStroke{KeyStroke::Kind::Unicode, unit, false});
        strokes.push_back(KeyStroke{KeyStroke::Kind::Unicode, unit, true});
    }
    return strokes;
}

std::vector<KeyStroke> releasesAfterPartialSend(const std::vector<KeyStroke>& strokes,
                                                std::size_t sent) {
    std::vector<std::uint16_t> held;
    for (std::size_t index = 0; index < sent && index < strokes.size(); ++index) {
        const KeyStroke& stroke = strokes[index];
        if (stroke.kind != KeyStroke::Kind::VirtualKey) {
            continue;
        }
        const auto found = std::find(held.begin(), held.end(), stroke.code);
        if (stroke.release && found != held.end()) {
            held.erase(found);
        } else if (!stroke.release && found == held.end()) {
            held.push_back(stroke.code);
        }
    }
    std::vector<KeyStroke> releases;
    for (auto key = held.rbegin(); key != held.rend(); ++key) {
        releases.push_back(virtualKey(*key, true));
    }
    return releases;
}

std::vector<DeliveryStep> addressBarDelivery(KeyChord chord, std::u16string_view address) {
    constexpr int kChordPresses = 3;
    std::vector<DeliveryStep> steps;
    for (int press = 0; press < kChordPresses; ++press) {
        steps.push_back(DeliveryStep{chordStrokes(chord), kKeyPauseMs});
    }
    steps.push_back(DeliveryStep{chordStrokes(kVirtualKeyDelete), kKeyPauseMs});
    DeliveryStep typing{unicodeStrokes(address.substr(0, kMaxDeliveredUnits)), kKeyPauseMs};
    appendChord(typing.strokes, kVirtualKeyEnter);
    steps.push_back(std::move(typing));
    return steps;
}

}  // namespace zelko
