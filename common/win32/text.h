#pragma once
// Conversions between the core's UTF-16 strings and the Win32 wide strings (both 16-bit units).

#include <string>
#include <string_view>

namespace zelko {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring toWide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string toU16(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

inline const wchar_t* wideText(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

}  // namespace zelko
