#include "support/glyphs.h"

#include "support/glyph_canvas.h"

namespace zelko::test {

std::wstring charactersWithoutGlyphs(const wchar_t* face, int pointSize, std::wstring_view text) {
    GlyphCanvas canvas(face, pointSize);
    std::wstring without;
    for (const wchar_t c : text) {
        if (c == L' ' || c == L'\x3000' || c == L'\n' || c == L'\r') {
            continue;
        }
        if (!canvas.drawsGlyph(c)) {
            without += c;
        }
    }
    return without;
}

}  // namespace zelko::test
