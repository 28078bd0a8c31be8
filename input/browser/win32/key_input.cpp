// Synthesised keyboard input through SendInput: the strokes of one call enter the system's input
// stream together, in order, with nothing between them.

#include "browser/win32/key_input.h"

#include <windows.h>

#include <vector>

#include "browser/key_strokes.h"

namespace zelko {

namespace {

INPUT inputOf(const KeyStroke& stroke) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    if (stroke.kind == KeyStroke::Kind::VirtualKey) {
        input.ki.wVk = stroke.code;
        input.ki.dwFlags = stroke.release ? KEYEVENTF_KEYUP : 0;
    } else {
        input.ki.wScan = stroke.code;
        input.ki.dwFlags = KEYEVENTF_UNICODE | (stroke.release ? KEYEVENTF_KEYUP : 0);
    }
    return input;
}

UINT sendInputs(const std::vector<KeyStroke>& strokes) {
    std::vector<INPUT> inputs;
    inputs.reserve(strokes.size());
    for (const KeyStroke& stroke : strokes) {
        inputs.push_back(inputOf(stroke));
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool sendKeyStrokes(const std::vector<KeyStroke>& strokes) {
    if (strokes.empty()) {
        return true;
    }
    const UINT sent = sendInputs(strokes);
    if (sent == strokes.size()) {
        return true;
    }
    // Refused in part (input blocked, or taken by a program of higher integrity): let go of the
    // keys already pressed, so that no modifier stays down for the user's own typing.
    sendInputs(releasesAfterPartialSend(strokes, sent));
    return false;
}

void pressChord(KeyChord chord) {
    sendKeyStrokes(chordStrokes(chord));
    Sleep(kKeyPauseMs);
}

void pressKey(std::uint8_t virtualKey) {
    sendKeyStrokes(chordStrokes(virtualKey));
    Sleep(kKeyPauseMs);
}

void typeText(std::wstring_view text) {
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.data()), text.size());
    sendKeyStrokes(unicodeStrokes(units));
}

}  // namespace zelko
