// The web address that a scan opens.

#include "scan/scan_address.h"

#include "scan/scan_code.h"

namespace zelko {

namespace {

constexpr std::string_view kScheme = "http://";

bool mayStandInUrl(unsigned char byte) {
    if (byte <= 0x20 || byte >= 0x7F) {
        return false;
    }
    switch (byte) {
        case '"':
        case '<':
        case '>':
        case '\\':
        case '^':
        case '`':
        case '{':
        case '|':
        case '}':
            return false;
        default:
            return true;
    }
}

}  // namespace

std::string addressForScan(std::string_view code) {
    if (splitScanCode(code, nullptr, nullptr, nullptr) != 1) {
        return std::string();
    }
    std::string address(kScheme);
    address.append(code.substr(0, code.find('\0')));
    return address;
}

std::string urlSafeAddress(std::string_view address) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    address = address.substr(0, address.find('\0'));
    address = address.substr(0, kMaxAddressLength);
    std::string safe;
    safe.reserve(address.size());
    for (unsigned char byte : address) {
        const std::size_t needed = mayStandInUrl(byte) ? 1 : 3;
        if (safe.size() + needed > kMaxAddressLength) {
            break;
        }
        if (needed == 1) {
            safe += static_cast<char>(byte);
        } else {
            safe += '%';
            safe += kHexDigits[byte >> 4];
            safe += kHexDigits[byte & 0x0F];
        }
    }
    return safe;
}

}  // namespace zelko
