#include "support/glyph_canvas.h"

namespace zelko::test {

namespace {

constexpr int kCell = 32;

}  // namespace

GlyphCanvas::GlyphCanvas(const wchar_t* face, int pointSize) {
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

GlyphCanvas::~GlyphCanvas() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
    DeleteObject(font_);
}

std::vector<bool> GlyphCanvas::draw(wchar_t character) {
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

std::wstring charactersWithoutGlyph(const wchar_t* face, int pointSize, const std::wstring& text) {
    GlyphCanvas canvas(face, pointSize);
    const std::vector<bool> missing = canvas.draw(L'\xE000');
    std::wstring without;
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n' || c == L' ' || c == L'\x3000') {
            continue;
        }
        std::vector<bool> glyph = canvas.draw(c);
        bool hasInk = false;
        for (bool pixel : glyph) {
            hasInk = hasInk || pixel;
        }
        if (!hasInk || glyph == missing) {
            without += c;
        }
    }
    return without;
}

}  // namespace zelko::test
