#pragma once
// The two small text helpers of the service protocol: the first line of an answer, and the
// percent-encoding of a query value.

#include <optional>
#include <string>
#include <string_view>

namespace zelko {

// Copies the bytes of `source` before its first CR or LF into `line` (replacing its content).
// Returns the rest of the text after the line end (after an LF; after a CR, or after the LF that
// directly follows it: CR LF is one line end). When `source` holds no CR or LF, the whole text is
// the line and the result is std::nullopt: the line was not ended. The text ends at its first NUL
// byte, as the service answers do.
std::optional<std::string_view> copyFirstLine(std::string_view source, std::string& line);

// Percent-encodes a query value byte by byte: "0"-"9", "a"-"z", "A"-"Z", "-", "." and "_" as they
// are; a space as "+"; every other byte (0x80 and above included) as "%" and two upper-case
// hexadecimal digits. The text ends at its first NUL byte. The result is at most three times as
// long as the value.
std::string urlEncodeForm(std::string_view value);

}  // namespace zelko
