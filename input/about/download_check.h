#pragma once
// The rule that decides whether a downloaded installer arrived whole and may be started.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelko {

// The length a Content-Length header gives: decimal digits, blanks around them allowed;
// std::nullopt for anything else.
std::optional<std::uint64_t> parseContentLength(std::string_view value);

// True when `received` bytes are the whole body: no Content-Length was given, or it says exactly
// that many bytes. A Content-Length that is not a number never matches.
bool bodyIsWhole(std::optional<std::string_view> contentLength, std::uint64_t received);

// Follows one download: accepted only for status 200, a body that begins with "MZ" (the mark of
// a Windows program), has as many bytes as a given Content-Length says and stays within
// kMaxInstallerSize, and a transfer that ended normally.
class DownloadCheck {
  public:
    static constexpr std::uint64_t kMaxInstallerSize = 256ull * 1024 * 1024;

    DownloadCheck(unsigned status, std::optional<std::string_view> contentLength);

    // False when the answer is refused before its body: another status, or a length that is
    // not a number or beyond the bound. Nothing need then be read or written.
    bool worthReading() const { return worthReading_; }
    // One chunk of the body; false when it already makes the download fail (the rest need not
    // be read).
    bool take(std::string_view chunk);
    // After the last chunk of a transfer that ended normally: the body is acceptable.
    bool whole() const;

  private:
    bool worthReading_ = false;
    std::optional<std::uint64_t> expected_;
    std::uint64_t received_ = 0;
    char start_[2] = {0, 0};
};

}  // namespace zelko
