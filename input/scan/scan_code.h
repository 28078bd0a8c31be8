#pragma once
// The check and split of one scanned code: host, pen identifier and barcode between two slashes.

#include <string>
#include <string_view>

namespace zelko {

// A scanned code is usable when its text (up to any NUL byte) holds exactly two "/" bytes; they
// divide it into the first, second and third segments, any of which may be empty. Returns 1 and
// fills every output that is given (null: not wanted); returns 0 and leaves them untouched for an
// empty or unusable code. The text is examined byte by byte, without any character set conversion.
int splitScanCode(std::string_view code, std::string* first, std::string* second,
                  std::string* third);

}  // namespace zelko
