// Synthesised keyboard input.

#include "browser/win32/key_input.h"

#include <windows.h>

#include <vector>

#include "browser/key_strokes.h"

namespace zelko {

namespace {

constexpr DWORD kKeyWaitMilliseconds = 100;

void send(const KeyStroke& stroke) {
    if (stroke.kind == KeyStroke::Kind::VirtualKey) {
        keybd_event(static_cast<BYTE>(stroke.code), 0, stroke.release ? KEYEVENTF_KEYUP : 0, 0);
        return;
    }
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = 0;
    input.ki.wScan = stroke.code;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (stroke.release ? KEYEVENTF_KEYUP : 0);
    SendInput(1, &input, sizeof input);
}

void send(const std::vector<KeyStroke>& strokes) {
    for (const KeyStroke& stroke : strokes) {
        send(stroke);
    }
}

}  // namespace

void pressChord(KeyChord chord) {
    send(chordStrokes(chord));
    Sleep(kKeyWaitMilliseconds);
}

void pressKey(std::uint8_t virtualKey) {
    send(chordStrokes(virtualKey));
    Sleep(kKeyWaitMilliseconds);
}

void typeText(std::wstring_view text) {
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.data()), text.size());
    send(typingStrokes(units, [](char16_t unit) {
        return static_cast<std::int16_t>(VkKeyScanW(static_cast<wchar_t>(unit)));
    }));
}

}  // namespace zelko
