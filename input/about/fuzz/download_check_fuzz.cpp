// The rule that decides whether a downloaded installer arrived whole: a status, a Content-Length
// value and a body in chunks, all from the input.
//
// Properties: a download is accepted only for status 200, a body that begins with "MZ", has exactly
// the bytes a given Content-Length says and stays within the bound; a chunk refused means the
// download is never accepted; nothing is taken when the answer is not worth reading; a length
// written in decimal (with blanks around it) reads back as itself, and anything but blanks and
// digits is no length.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "about/download_check.h"
#include "common/fuzz/fuzz_check.h"

namespace {

using namespace zelko;

bool isLengthText(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return false;
    }
    const std::size_t last = text.find_last_not_of(" \t");
    for (std::size_t at = first; at <= last; ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const unsigned status =
        provider.ConsumeBool() ? 200u : provider.ConsumeIntegralInRange<unsigned>(0, 999);
    std::optional<std::string> contentLength;
    if (provider.ConsumeBool()) {
        contentLength = provider.ConsumeRandomLengthString(32);
    }

    if (contentLength) {
        const std::optional<std::uint64_t> length = parseContentLength(*contentLength);
        if (!isLengthText(*contentLength)) {
            FUZZ_CHECK(!length);
        }
        if (length) {
            FUZZ_CHECK(parseContentLength(" " + std::to_string(*length) + "\t") == length);
        }
    }
    const std::uint64_t written = provider.ConsumeIntegral<std::uint64_t>();
    FUZZ_CHECK(parseContentLength(std::to_string(written)) == written);

    DownloadCheck check(
        status, contentLength ? std::optional<std::string_view>(*contentLength) : std::nullopt);
    if (status != 200) {
        FUZZ_CHECK(!check.worthReading());
    }
    std::string body;
    bool refused = false;
    while (provider.remaining_bytes() > 0) {
        const std::string chunk = provider.ConsumeRandomLengthString(4096);
        if (!check.take(chunk)) {
            refused = true;
        }
        body += chunk;
    }
    if (!check.worthReading()) {
        FUZZ_CHECK(!check.whole());
    }
    if (refused) {
        FUZZ_CHECK(!check.whole());
    }
    if (check.whole()) {
        FUZZ_CHECK(status == 200);
        FUZZ_CHECK(body.size() >= 2 && body[0] == 'M' && body[1] == 'Z');
        FUZZ_CHECK(body.size() <= DownloadCheck::kMaxInstallerSize);
        FUZZ_CHECK(bodyIsWhole(
            contentLength ? std::optional<std::string_view>(*contentLength) : std::nullopt,
            body.size()));
    } else if (check.worthReading() && !refused && body.size() >= 2 && body[0] == 'M' &&
               body[1] == 'Z') {
        // An answer worth reading with the mark is refused only for its length.
        FUZZ_CHECK(contentLength.has_value());
        FUZZ_CHECK(!bodyIsWhole(*contentLength, body.size()));
    }
    return 0;
}
