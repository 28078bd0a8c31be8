#include "about/download_check.h"

#include <limits>

namespace zelko {

namespace {

constexpr unsigned kStatusOk = 200;

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<std::uint64_t> parseContentLength(std::string_view value) {
    const std::string_view digits = trimBlanks(value);
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t length = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (length > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            return std::nullopt;
        }
        length = length * 10 + digit;
    }
    return length;
}

bool bodyIsWhole(std::optional<std::string_view> contentLength, std::uint64_t received) {
    if (!contentLength) {
        return true;
    }
    const std::optional<std::uint64_t> expected = parseContentLength(*contentLength);
    return expected && *expected == received;
}

DownloadCheck::DownloadCheck(unsigned status, std::optional<std::string_view> contentLength) {
    if (contentLength) {
        expected_ = parseContentLength(*contentLength);
        if (!expected_ || *expected_ > kMaxInstallerSize) {
            return;
        }
    }
    worthReading_ = status == kStatusOk;
}

bool DownloadCheck::take(std::string_view chunk) {
    if (!worthReading_) {
        return false;
    }
    for (std::size_t i = 0; i < chunk.size() && received_ + i < sizeof start_; ++i) {
        start_[received_ + i] = chunk[i];
    }
    received_ += chunk.size();
    if (received_ >= 1 && start_[0] != 'M') {
        return false;
    }
    if (received_ >= 2 && start_[1] != 'Z') {
        return false;
    }
    return received_ <= kMaxInstallerSize && (!expected_ || received_ <= *expected_);
}

bool DownloadCheck::whole() const {
    return worthReading_ && received_ >= 2 && start_[0] == 'M' && start_[1] == 'Z' &&
           received_ <= kMaxInstallerSize && (!expected_ || received_ == *expected_);
}

}  // namespace zelko
