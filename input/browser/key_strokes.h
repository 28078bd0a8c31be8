#pragma once
// The key events that press a chord and that type a text.

#include <cstddef>
#include <cstdint>
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

// Each code unit as itself: a Unicode press and release (KEYEVENTF_UNICODE), which types the same
// character whatever the keyboard layout and whatever modifiers the user holds.
std::vector<KeyStroke> unicodeStrokes(std::u16string_view text);

// The key-ups that undo a list of which only the first `sent` strokes went out (the system took
// fewer than were sent): every virtual key pressed there and not released, the last pressed first,
// so that no modifier stays held down.
std::vector<KeyStroke> releasesAfterPartialSend(const std::vector<KeyStroke>& strokes,
                                                std::size_t sent);

// One step of an address-bar delivery: strokes sent together (one SendInput call, so that no other
// input comes between them), then a pause for the browser to act on them.
struct DeliveryStep {
    std::vector<KeyStroke> strokes;
    unsigned pauseMs = 0;
};

// The address is entered with at most this many code units.
constexpr std::size_t kMaxDeliveredUnits = 1024;
constexpr unsigned kKeyPauseMs = 100;

// The keys of a delivery into a browser that is already in front: the address-bar chord three
// times, Delete (clearing the selected address), then the address as Unicode key events and Enter,
// each step followed by 100 ms. The address is cut to 1024 code units.
std::vector<DeliveryStep> addressBarDelivery(KeyChord chord, std::u16string_view address);

}  // namespace zelko
