#pragma once
// Where everything of the login input window goes: one caption and one edit box per shown field,
// the login and cancel buttons below them, in a client area sized from the widest caption.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zelko {

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct LayoutPoint {
    int x = 0;
    int y = 0;
};

struct LoginWindowLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<LayoutPoint> captions;  // one per shown field, top to bottom
    std::vector<LayoutRect> edits;      // one per shown field
    LayoutRect loginButton;
    LayoutRect cancelButton;
};

// The window is created this big, then given its client size.
constexpr int kLoginWindowInitialWidth = 200;
constexpr int kLoginWindowInitialHeight = 150;
// The decorative background picture, stretched over the client area.
constexpr int kLoginBackgroundWidth = 200;
constexpr int kLoginBackgroundHeight = 130;

// The widest caption in pixels, or -1 when there are none.
int widestCaption(const std::vector<int>& captionWidths);

// `labelWidth` is the widest caption of all fields (widestCaption); `shownFields` the number of
// fields the user fills.
LoginWindowLayout loginWindowLayout(int labelWidth, std::size_t shownFields);

// Left and top of a window of this size centred on a screen of this size (rounded toward zero).
LayoutPoint centredOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The number of characters an edit box takes: the field's maxLength, or the edit box's own limit
// (0) when the service gives none.
int editTextLimit(std::int32_t maxLength);

// A value, in the system ANSI code page, holds at most this many bytes. A longer one is refused
// (never cut), so the field counts as empty and the input as cancelled.
constexpr std::size_t kMaxFieldValueBytes = 1023;

// True when the typed value can be taken over: not empty and not longer than
// kMaxFieldValueBytes.
bool acceptableFieldValue(std::string_view ansiValue);

}  // namespace zelko
