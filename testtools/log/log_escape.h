#pragma once
// Escaping of the fields of the test logs: each byte that would break a line (or, where fields
// are separated by spaces, a field) is written as \xNN, and so is the backslash itself.

#include <string>
#include <string_view>

namespace zelko::testlog {

enum class Spaces { Keep, Escape };

inline std::string escapeLogField(std::string_view text, Spaces spaces) {
    static const char digits[] = "0123456789ABCDEF";
    const unsigned char firstPlain = spaces == Spaces::Escape ? 0x21 : 0x20;
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < firstPlain || c == 0x7F || c == '\\') {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace zelko::testlog
