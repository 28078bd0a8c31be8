#pragma once
// The update server's reply to "/drivers/update.php": line 1 is the newest middleware version
// number in decimal, line 2 the address of its installer.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

// Lines are at most this many bytes; a reply with a longer line is refused.
inline constexpr std::size_t kMaxUpdateReplyLine = 1023;

struct UpdateReply {
    unsigned version = 0;  // 0: no usable version
    std::optional<std::string> installerAddress;
};

// Reads a reply. Lines end with CR LF, a lone LF or a lone CR, and a line counts only when a line
// break ends it; the text ends at its first NUL byte. Line 1 not ended, or not a number: version
// 0. Line 2 not ended, or empty: no address. A line of 1024 bytes or more among the two: the reply
// is refused (version 0, no address).
UpdateReply parseUpdateReply(std::string_view body);

// A version line read as a decimal number: leading blanks and a "+" allowed, the digits up to the
// first other byte. No digits, a "-" sign or a number beyond 32 bits give 0.
unsigned parseVersionNumber(std::string_view line);

}  // namespace zelko
