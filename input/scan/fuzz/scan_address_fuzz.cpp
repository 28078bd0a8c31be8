// What a scan text becomes: the check and split of the code, the address it opens, and that
// address made safe for the shell and the browser; any bytes.
//
// Properties: a code is usable exactly when its text (up to any NUL) is not empty and holds two
// slashes; its three segments hold no slash and joined with slashes give the text back; its address
// is "http://" and the text, and an unusable code has none. The safe address holds at most 1023
// bytes, no control byte, space, byte of 0x80 or above or any of " < > \ ^ ` { | }; it is the
// encoding of a leading part of the address, cut only where the next byte would not fit, and
// never inside a %XX; it leaves an ordinary address unchanged, and is unchanged when made safe
// again (idempotent).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/fuzz/fuzz_check.h"
#include "scan/scan_address.h"
#include "scan/scan_code.h"

namespace {

using namespace zelko;

bool isUnsafe(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F ||
           std::string_view("\"<>\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

void checkSplit(std::string_view code) {
    const std::string_view text = code.substr(0, code.find('\0'));
    std::string first = "untouched";
    std::string second = "untouched";
    std::string third = "untouched";
    const int usable = splitScanCode(code, &first, &second, &third);
    std::size_t slashes = 0;
    for (const char c : text) {
        slashes += c == '/' ? 1 : 0;
    }
    FUZZ_CHECK(usable == ((!text.empty() && slashes == 2) ? 1 : 0));
    const std::string address = addressForScan(code);
    if (usable == 0) {
        FUZZ_CHECK(first == "untouched" && second == "untouched" && third == "untouched");
        FUZZ_CHECK(address.empty());
        return;
    }
    for (const std::string* segment : {&first, &second, &third}) {
        FUZZ_CHECK(segment->find('/') == std::string::npos);
    }
    FUZZ_CHECK(first + "/" + second + "/" + third == text);
    FUZZ_CHECK(address == "http://" + std::string(text));
    FUZZ_CHECK(splitScanCode(code, nullptr, nullptr, nullptr) == 1);
}

void checkSafeAddress(std::string_view address) {
    const std::string_view text = address.substr(0, address.find('\0'));
    const std::string safe = urlSafeAddress(address);
    FUZZ_CHECK(safe.size() <= kMaxAddressLength);

    // Byte by byte: each byte of the address gives itself or %XX, until the next would not fit.
    static const char kHex[] = "0123456789ABCDEF";
    std::size_t at = 0;
    std::size_t taken = 0;
    for (; taken < text.size(); ++taken) {
        const auto byte = static_cast<unsigned char>(text[taken]);
        if (isUnsafe(byte)) {
            if (at + 3 > safe.size()) {
                break;
            }
            FUZZ_CHECK(safe[at] == '%' && safe[at + 1] == kHex[byte >> 4] &&
                       safe[at + 2] == kHex[byte & 0x0F]);
            at += 3;
        } else {
            if (at + 1 > safe.size()) {
                break;
            }
            FUZZ_CHECK(safe[at] == text[taken]);
            at += 1;
        }
    }
    FUZZ_CHECK(at == safe.size());
    if (taken < text.size()) {
        const std::size_t needed = isUnsafe(static_cast<unsigned char>(text[taken])) ? 3 : 1;
        FUZZ_CHECK(safe.size() + needed > kMaxAddressLength);
    }
    for (const char c : safe) {
        FUZZ_CHECK(!isUnsafe(static_cast<unsigned char>(c)));
    }
    FUZZ_CHECK(urlSafeAddress(safe) == safe);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    checkSplit(input);
    checkSafeAddress(input);
    checkSafeAddress(addressForScan(input));
    return 0;
}
