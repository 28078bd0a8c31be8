// The codes the soak types.

#include "soak/soak_codes.h"

#include <cstdio>
#include <iterator>

namespace zelko::soak {
namespace {

constexpr const char* kHosts[] = {
    "shop.zelko.example",
    "catalog.zelko.example:8080",
    "192.0.2.44",
};

std::string digitsOf(unsigned long number, int width) {
    char buffer[32] = {};
    std::snprintf(buffer, sizeof buffer, "%0*lu", width, number);
    return buffer;
}

}  // namespace

char eanCheckDigit(const std::string& digits) {
    // From the right: the last digit weighs 3, the one before it 1, and so on.
    int sum = 0;
    int weight = 3;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        sum += (*digit - '0') * weight;
        weight = weight == 3 ? 1 : 3;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string scanCode(unsigned long number) {
    const std::string host = kHosts[number % std::size(kHosts)];
    const std::string pen = "PEN" + digitsOf(number % 13, 4);
    std::string barcode;
    switch (number % 4) {
        case 0:
        case 1: {
            const std::string digits = "49" + digitsOf(number % 10000000000UL, 10);
            barcode = digits + eanCheckDigit(digits);
            break;
        }
        case 2: {
            // EAN-8 holds too few digits for every number: the item code keeps the rest.
            const std::string digits = "45" + digitsOf(number % 100000UL, 5);
            barcode = digits + eanCheckDigit(digits) + "-" + digitsOf(number / 100000UL, 1);
            break;
        }
        default:
            // Of varying length: the number as it is.
            barcode = "ITEM-" + std::string(1, static_cast<char>('A' + number % 26)) +
                      digitsOf(number, 1) + "x";
            break;
    }
    return host + "/" + pen + "/" + barcode;
}

}  // namespace zelko::soak
