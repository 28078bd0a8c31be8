#include "web/text_lines.h"

namespace zelko {

namespace {

std::string_view upToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool isUnreservedByte(unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z') || byte == '-' || byte == '.' || byte == '_';
}

}  // namespace

std::optional<std::string_view> copyFirstLine(std::string_view source, std::string& line) {
    const std::string_view text = upToNul(source);
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line.assign(text);
        return std::nullopt;
    }
    line.assign(text.substr(0, end));
    std::size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') {
        ++next;
    }
    return text.substr(next);
}

std::string urlEncodeForm(std::string_view value) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const std::string_view text = upToNul(value);
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (isUnreservedByte(byte)) {
            encoded += character;
        } else if (byte == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

}  // namespace zelko
