#pragma once
// The key events that press a chord and that type a text.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "browser/browser_kind.h"

namespace zelko {

constexpr std::uint8_t kVirtualKeyShift = 0x10;
constexpr std::uint8_t kVirtualKeyControl = 0x11;
constexpr std::uint8_t kVirtualKeyAlt = 0x12;
constexpr std::uint8_t kVirtualKeyDelete = 0x2E;
constexpr std::uint8_t kVirtualKeyEnter = 0x0D;

// One synthesised key event: a virtual key, or a UTF-16 code unit sent as itself.
struct KeyStroke {
    enum class Kind { VirtualKey, Unicode };
    Kind kind = Kind::VirtualKey;
    std::uint16_t code = 0;  // the virtual key, or the code unit
    bool release = false;

    bool operator==(const KeyStroke& other) const {
        return kind == other.kind && code == other.code && release == other.release;
    }
};

// Presses the modifiers of the high byte (Shift, Ctrl, Alt), presses and releases the key of the
// low byte, and releases the modifiers in reverse order.
std::vector<KeyStroke> chordStrokes(KeyChord chord);

// What VkKeyScanW answers for one code unit: a chord, or -1 when the layout has no key for it.
using KeyScan = std::function<std::int16_t(char16_t)>;

// For each code unit, the strokes of the chord that `keyScan` gives for it. A unit that the
// layout cannot produce (the answer -1, or one whose shift state needs more than Shift, Ctrl and
// Alt) is sent as itself, a Unicode press and release: the answer -1 would otherwise read as all
// modifiers with the key 0xFF.
std::vector<KeyStroke> typingStrokes(std::u16string_view text, const KeyScan& keyScan);

}  // namespace zelko
