#pragma once
// Synthesised keyboard input into the system's input stream (the focused window receives it).

#include <cstdint>
#include <string_view>
#include <vector>

#include "browser/browser_kind.h"
#include "browser/key_strokes.h"

namespace zelko {

// Sends the strokes in one SendInput call. False when the system took fewer than all of them;
// the keys pressed among those it took are then released again.
bool sendKeyStrokes(const std::vector<KeyStroke>& strokes);

// Presses one chord (modifiers, key, modifiers released in reverse), then waits 100 ms.
void pressChord(KeyChord chord);

// Presses and releases one virtual key, then waits 100 ms.
void pressKey(std::uint8_t virtualKey);

// Types a UTF-16 text as Unicode key events, without waits: the characters arrive as they are,
// whatever the keyboard layout.
void typeText(std::wstring_view text);

}  // namespace zelko
