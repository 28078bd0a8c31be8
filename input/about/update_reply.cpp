#include "about/update_reply.h"

#include <cstdint>
#include <limits>

#include "web/text_lines.h"

namespace zelko {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

unsigned parseVersionNumber(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) {
        ++at;
    }
    if (at < line.size() && (line[at] == '+' || line[at] == '-')) {
        if (line[at] == '-') {
            return 0;  // a negative number is no version
        }
        ++at;
    }
    std::uint64_t value = 0;
    for (; at < line.size() && isDigit(line[at]); ++at) {
        value = value * 10 + static_cast<unsigned>(line[at] - '0');
        if (value > std::numeric_limits<unsigned>::max()) {
            return 0;
        }
    }
    return static_cast<unsigned>(value);
}

UpdateReply parseUpdateReply(std::string_view body) {
    UpdateReply reply;
    std::string line;
    const std::optional<std::string_view> rest = copyFirstLine(body, line);
    if (line.size() > kMaxUpdateReplyLine || !rest) {
        return reply;
    }
    const unsigned version = parseVersionNumber(line);
    const bool addressEnded = copyFirstLine(*rest, line).has_value();
    if (line.size() > kMaxUpdateReplyLine) {
        return reply;
    }
    reply.version = version;
    if (addressEnded && !line.empty()) {
        reply.installerAddress = line;
    }
    return reply;
}

}  // namespace zelko
