#pragma once
// Whether a font draws the characters of a text as glyphs, not as the boxes of missing ones.

#include <string>
#include <string_view>

namespace zelko::test {

// The characters of `text` that the font `face` at `pointSize` draws as nothing or as the box
// of a missing glyph (the look of a private-use character); empty when every one is a glyph.
// Line breaks are skipped.
std::wstring charactersWithoutGlyphs(const wchar_t* face, int pointSize, std::wstring_view text);

}  // namespace zelko::test
