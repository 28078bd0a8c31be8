// The update server's reply to the update check, any bytes.
//
// Properties: a version is given only for a reply whose first line is ended by a line break and,
// like the second, holds at most 1023 bytes; it is the first line read as a number. An installer
// address is never empty and holds no line break or NUL, only when the first line was taken and
// the second is ended by a line break. A reply written from a number and an address reads back to
// them (round trip), and a version number written in decimal reads back as itself.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "about/update_reply.h"
#include "common/fuzz/fuzz_check.h"

namespace {

using namespace zelko;

bool holdsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The line that starts at `at` and whether a line break ends it; `at` moves past the line end.
std::string_view lineAt(std::string_view text, std::size_t& at, bool& ended) {
    const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    const std::string_view line = text.substr(at, end - at);
    ended = end < text.size();
    at = end + (ended ? 1 : 0);
    if (ended && text[end] == '\r' && at < text.size() && text[at] == '\n') {
        ++at;
    }
    return line;
}

void checkReply(std::string_view body) {
    const UpdateReply reply = parseUpdateReply(body);
    const std::string_view text = body.substr(0, body.find('\0'));
    std::size_t at = 0;
    bool firstEnded = false;
    bool secondEnded = false;
    const std::string_view first = lineAt(text, at, firstEnded);
    const std::string_view second = firstEnded ? lineAt(text, at, secondEnded) : "";
    if (!firstEnded || first.size() > kMaxUpdateReplyLine || second.size() > kMaxUpdateReplyLine) {
        FUZZ_CHECK(reply.version == 0);
        FUZZ_CHECK(!reply.installerAddress);
        return;
    }
    FUZZ_CHECK(reply.version == parseVersionNumber(first));
    FUZZ_CHECK(reply.installerAddress.has_value() == (secondEnded && !second.empty()));
    if (reply.installerAddress) {
        FUZZ_CHECK(*reply.installerAddress == second);
        FUZZ_CHECK(!holdsLineBreakOrNul(*reply.installerAddress));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    checkReply(body);

    FuzzedDataProvider provider(data, size);
    const unsigned version = provider.ConsumeIntegral<unsigned>();
    const std::string lineEnd = provider.PickValueInArray({"\r\n", "\n", "\r"});
    std::string address = provider.ConsumeRandomLengthString(kMaxUpdateReplyLine);
    address = address.substr(0, address.find_first_of(std::string_view("\r\n\0", 3)));

    FUZZ_CHECK(parseVersionNumber(std::to_string(version)) == version);
    const std::string written = std::to_string(version) + lineEnd + address + lineEnd;
    const UpdateReply reply = parseUpdateReply(written);
    FUZZ_CHECK(reply.version == version);
    if (address.empty()) {
        FUZZ_CHECK(!reply.installerAddress);
    } else {
        FUZZ_CHECK(reply.installerAddress && *reply.installerAddress == address);
    }
    checkReply(written);
    return 0;
}
