#include "support/glyphs.h"

#include <windows.h>

#include <vector>

namespace zelko::test {

namespace {

constexpr int kCell = 32;

// One character drawn black on white in a cell, as ink or no ink per pixel.
class GlyphCanvas {
  public:
    GlyphCanvas(const wchar_t* face, int pointSize) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kCell;
        info.bmiHeader.biHeight = -kCell;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        SelectObject(dc_, bitmap_);
        int height = -MulDiv(pointSize, GetDeviceCaps(dc_, LOGPIXELSY), 72);
        font_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        SelectObject(dc_, font_);
    }
    ~GlyphCanvas() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(font_);
    }
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    std::vector<bool> draw(wchar_t character) {
        RECT cell{0, 0, kCell, kCell};
        FillRect(dc_, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        TextOutW(dc_, 2, 2, &character, 1);
        GdiFlush();
        std::vector<bool> ink(kCell * kCell);
        auto* pixels = static_cast<const DWORD*>(bits_);
        for (int i = 0; i < kCell * kCell; ++i) {
            ink[i] = (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
        }
        return ink;
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    void* bits_ = nullptr;
};

bool hasInk(const std::vector<bool>& pixels) {
    for (bool pixel : pixels) {
        if (pixel) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring charactersWithoutGlyphs(const wchar_t* face, int pointSize, std::wstring_view text) {
    GlyphCanvas canvas(face, pointSize);
    // A private-use character has no glyph in any font: it shows the missing-glyph box.
    const std::vector<bool> missing = canvas.draw(L'\xE000');
    std::wstring without;
    for (const wchar_t c : text) {
        if (c == L' ' || c == L'\n' || c == L'\r') {
            continue;
        }
        const std::vector<bool> glyph = canvas.draw(c);
        if (!hasInk(glyph) || glyph == missing) {
            without += c;
        }
    }
    return without;
}

}  // namespace zelko::test
