#pragma once
// The web address that a scan opens, made safe to hand to the shell and to a browser.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelko {

// The address buffer holds at most this many bytes (1024 with its NUL).
constexpr std::size_t kMaxAddressLength = 1023;

// "http://" followed by the whole code text, or empty when the code is not usable (see
// splitScanCode).
std::string addressForScan(std::string_view code);

// The address with every byte that may not stand in a URL as it is written as %XX (upper-case
// hex): control bytes (0x00-0x1F, 0x7F), space, bytes of 0x80 and above, and " < > \ ^ ` { | }.
// Every other byte, "%" included, is kept, so an ordinary address comes back unchanged. The input
// is read up to any NUL and at most kMaxAddressLength bytes of it; the result is cut to
// kMaxAddressLength characters, never inside a %XX sequence. A quote or a space can thus never
// end the address inside a command line.
std::string urlSafeAddress(std::string_view address);

}  // namespace zelko
