#pragma once
// The codes the soak types, host/pen/barcode: each one different, so that every address the
// browser gets names the scan it came from, and of varying hosts, pens and lengths, as a shop's
// scans are. Portable; no Windows calls.

#include <string>

namespace zelko::soak {

// The code of the scan with this number (from 0). The barcode carries the number: an EAN-13 or
// EAN-8 code with its check digit, or an item code of letters and digits.
std::string scanCode(unsigned long number);

// The check digit of an EAN code's digits (12 for EAN-13, 7 for EAN-8).
char eanCheckDigit(const std::string& digits);

}  // namespace zelko::soak
