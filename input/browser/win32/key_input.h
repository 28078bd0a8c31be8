#pragma once
// Synthesised keyboard input into the system's input stream (the focused window receives it).

#include <cstdint>
#include <string_view>

#include "browser/browser_kind.h"

namespace zelko {

// Presses one chord (modifiers, key, modifiers released in reverse), then waits 100 ms.
void pressChord(KeyChord chord);

// Presses and releases one virtual key, then waits 100 ms.
void pressKey(std::uint8_t virtualKey);

// Types a UTF-16 text key by key with the current keyboard layout's chords, without waits; a
// character the layout cannot produce is sent as a Unicode key event.
void typeText(std::wstring_view text);

}  // namespace zelko
