#include "login_window/login_layout.h"

#include <algorithm>

namespace zelko {

namespace {

constexpr int kRowHeight = 24;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionTop = 10;
constexpr int kEditGap = 16;  // from the widest caption to the edit boxes
constexpr int kEditTop = 8;
constexpr int kEditWidth = 160;
constexpr int kEditHeight = 16;
constexpr int kWidthBesideCaptions = 184;
constexpr int kHeightBesideRows = 34;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 18;
constexpr int kLoginButtonFromRight = 208;
constexpr int kCancelButtonFromRight = 104;

}  // namespace

int widestCaption(const std::vector<int>& captionWidths) {
    if (captionWidths.empty()) {
        return -1;
    }
    return *std::max_element(captionWidths.begin(), captionWidths.end());
}

LoginWindowLayout loginWindowLayout(int labelWidth, std::size_t shownFields) {
    LoginWindowLayout layout;
    const int rows = static_cast<int>(shownFields);
    layout.clientWidth = labelWidth + kWidthBesideCaptions;
    layout.clientHeight = kRowHeight * rows + kHeightBesideRows;
    for (int row = 0; row < rows; ++row) {
        layout.captions.push_back({kCaptionLeft, kCaptionTop + kRowHeight * row});
        layout.edits.push_back(
            {labelWidth + kEditGap, kEditTop + kRowHeight * row, kEditWidth, kEditHeight});
    }
    const int buttonTop = kEditTop + kRowHeight * rows;
    layout.loginButton = {layout.clientWidth - kLoginButtonFromRight, buttonTop, kButtonWidth,
                          kButtonHeight};
    layout.cancelButton = {layout.clientWidth - kCancelButtonFromRight, buttonTop, kButtonWidth,
                           kButtonHeight};
    return layout;
}

LayoutPoint centredOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

int editTextLimit(std::int32_t maxLength) {
    return maxLength > 0 ? maxLength : 0;
}

bool acceptableFieldValue(std::string_view ansiValue) {
    return !ansiValue.empty() && ansiValue.size() <= kMaxFieldValueBytes;
}

}  // namespace zelko
