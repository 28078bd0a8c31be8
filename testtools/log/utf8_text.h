#pragma once
// UTF-16 text as UTF-8, for the test tools' logs and printed output.

#include <windows.h>

#include <string>
#include <string_view>

namespace zelko::testlog {

inline std::string utf8Of(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            size, nullptr, nullptr);
    }
    return bytes;
}

}  // namespace zelko::testlog
