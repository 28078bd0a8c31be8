// The two text helpers of the service protocol over any bytes: the first line of an answer and the
// percent-encoding of a query value.
//
// Properties of copyFirstLine: the line holds no CR, LF or NUL and starts the text; the line, its
// line end and the rest put together give the text up to its first NUL, and the rest is missing
// exactly when the text has no line end; taking lines one after another ends and gives back the
// whole text. Properties of urlEncodeForm: the result holds only "0"-"9", "a"-"z", "A"-"Z", "-",
// ".", "_", "+" and "%" followed by two upper-case hexadecimal digits; it is at most three times
// as long as the value; decoding it as a form value gives the value back (up to its first NUL);
// a value of only the kept bytes comes back unchanged.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/fuzz/fuzz_check.h"
#include "web/text_lines.h"

namespace {

using namespace zelko;

bool isKeptByte(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
           c == '.' || c == '_';
}

int upperHexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Form decoding as a query parser does it; std::nullopt for a "%" without two upper-case hex
// digits or any byte outside the encoder's alphabet.
std::optional<std::string> formDecoded(std::string_view encoded) {
    std::string value;
    for (std::size_t at = 0; at < encoded.size(); ++at) {
        const char c = encoded[at];
        if (c == '+') {
            value += ' ';
        } else if (c == '%') {
            if (at + 2 >= encoded.size()) {
                return std::nullopt;
            }
            const int high = upperHexValue(encoded[at + 1]);
            const int low = upperHexValue(encoded[at + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            value += static_cast<char>(high * 16 + low);
            at += 2;
        } else if (isKeptByte(c)) {
            value += c;
        } else {
            return std::nullopt;
        }
    }
    return value;
}

void checkFirstLines(std::string_view source) {
    const std::string_view text = source.substr(0, source.find('\0'));
    std::string line;
    const std::optional<std::string_view> rest = copyFirstLine(source, line);
    FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    FUZZ_CHECK(text.substr(0, line.size()) == line);
    FUZZ_CHECK(rest.has_value() == (text.find_first_of("\r\n") != std::string_view::npos));
    if (rest) {
        const std::size_t endLength = text.size() - line.size() - rest->size();
        const std::string_view end = text.substr(line.size(), endLength);
        FUZZ_CHECK(end == "\n" || end == "\r" || end == "\r\n");
        FUZZ_CHECK(text.substr(line.size() + endLength) == *rest);
        // CR LF is one line end: a rest never starts with the LF of a CR just taken.
        FUZZ_CHECK(!(end == "\r" && !rest->empty() && rest->front() == '\n'));
    } else {
        FUZZ_CHECK(line == text);
    }

    // Line by line to the end: each step takes at least one byte, and together they give the text.
    std::string joined;
    std::optional<std::string_view> next = source;
    std::size_t steps = 0;
    while (next) {
        const std::optional<std::string_view> after = copyFirstLine(*next, line);
        joined += line;
        if (after) {
            const std::string_view current = next->substr(0, next->find('\0'));
            FUZZ_CHECK(after->size() < current.size());
            joined.append(
                current.substr(line.size(), current.size() - line.size() - after->size()));
        }
        next = after;
        FUZZ_CHECK(++steps <= text.size() + 1);
    }
    FUZZ_CHECK(joined == text);
}

void checkEncoding(std::string_view value) {
    const std::string_view text = value.substr(0, value.find('\0'));
    const std::string encoded = urlEncodeForm(value);
    FUZZ_CHECK(encoded.size() <= 3 * text.size());
    const std::optional<std::string> decoded = formDecoded(encoded);
    FUZZ_CHECK(decoded.has_value());
    FUZZ_CHECK(*decoded == text);
    bool onlyKept = true;
    for (const char c : text) {
        onlyKept = onlyKept && isKeptByte(c);
    }
    if (onlyKept) {
        FUZZ_CHECK(encoded == text);
    }
    // The encoding of an encoding leaves its kept bytes and escapes only "+" and "%".
    const std::string twice = urlEncodeForm(encoded);
    FUZZ_CHECK(formDecoded(twice) == encoded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkFirstLines(input);
    checkEncoding(input);
    return 0;
}
