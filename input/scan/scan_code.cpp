// The check and split of one scanned code.

#include "scan/scan_code.h"

#include <algorithm>

namespace zelko {

int splitScanCode(std::string_view code, std::string* first, std::string* second,
                  std::string* third) {
    code = code.substr(0, code.find('\0'));
    if (code.empty() || std::count(code.begin(), code.end(), '/') != 2) {
        return 0;
    }
    const std::size_t firstSlash = code.find('/');
    const std::size_t secondSlash = code.find('/', firstSlash + 1);
    if (first) {
        first->assign(code.substr(0, firstSlash));
    }
    if (second) {
        second->assign(code.substr(firstSlash + 1, secondSlash - firstSlash - 1));
    }
    if (third) {
        third->assign(code.substr(secondSlash + 1));
    }
    return 1;
}

}  // namespace zelko
