#include "support/glyph_canvas.h"

#include <algorithm>

namespace zelko::test {

namespace {

constexpr int kCell = 32;

}  // namespace

GlyphCanvas::GlyphCanvas(const wchar_t* face, int pointSize) {
    dc_ = CreateCompatibleDC(nullptr);
    makeCell(-MulDiv(pointSize, GetDeviceCaps(dc_, LOGPIXELSY), 72), FW_NORMAL, face);
}

GlyphCanvas::GlyphCanvas(const wchar_t* face, int height, int weight) {
    dc_ = CreateCompatibleDC(nullptr);
    makeCell(height, weight, face);
}

void GlyphCanvas::makeCell(int height, int weight, const wchar_t* face) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kCell;
    info.bmiHeader.biHeight = -kCell;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    SelectObject(dc_, bitmap_);
    font_ = CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
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

bool GlyphCanvas::drawsGlyph(wchar_t character) {
    if (missing_.empty()) {
        missing_ = draw(L'\xE000');
    }
    const std::vector<bool> glyph = draw(character);
    return std::find(glyph.begin(), glyph.end(), true) != glyph.end() && glyph != missing_;
}

}  // namespace zelko::test
