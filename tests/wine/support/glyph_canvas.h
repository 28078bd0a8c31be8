#pragma once
// Drawing single characters in a font, to tell glyphs from the boxes of missing ones.

#include <windows.h>

#include <string>
#include <vector>

namespace zelko::test {

// One character drawn black on white in a 32-pixel cell, as ink / no ink per pixel.
class GlyphCanvas {
  public:
    GlyphCanvas(const wchar_t* face, int pointSize);
    ~GlyphCanvas();
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    std::vector<bool> draw(wchar_t character);

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    void* bits_ = nullptr;
};

// The characters of `text` (line ends and spaces aside) that the font draws as nothing or as the
// box of a missing glyph (that of a private-use character).
std::wstring charactersWithoutGlyph(const wchar_t* face, int pointSize, const std::wstring& text);

}  // namespace zelko::test
