#pragma once
// Drawing single characters with a font, to tell glyphs from the boxes of missing ones.

#include <windows.h>

#include <vector>

namespace zelko::test {

// One character drawn black on white in a cell, as one flag per pixel (ink or not).
class GlyphCanvas {
  public:
    // A font of this face and point size (as dialog fonts are given).
    GlyphCanvas(const wchar_t* face, int pointSize);
    // A font made as CreateFontW makes it from this height and weight.
    GlyphCanvas(const wchar_t* face, int height, int weight);
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;
    ~GlyphCanvas();

    std::vector<bool> draw(wchar_t character);
    // True when the character leaves ink and does not look like the missing-glyph box (a
    // private-use character has no glyph in any font).
    bool drawsGlyph(wchar_t character);

  private:
    void makeCell(int height, int weight, const wchar_t* face);

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    void* bits_ = nullptr;
    std::vector<bool> missing_;
};

}  // namespace zelko::test
