#pragma once
// The body of an answer as it arrives in chunks.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko {

// Collects the chunks of a body in a zero-filled buffer that starts at 8192 bytes and doubles
// whenever a chunk would reach or pass its end, so that the collected text always keeps a
// terminating zero byte. Answers of the service and of the update server are small; a body that
// would grow past `kMaxBodySize` is refused rather than let it take the memory of the machine.
class BodyCollector {
  public:
    static constexpr std::size_t kInitialCapacity = 8192;
    static constexpr std::size_t kChunkSize = 4096;
    static constexpr std::size_t kMaxBodySize = 32u * 1024 * 1024;

    BodyCollector();

    // Appends one chunk. False (and nothing appended) when the body would pass kMaxBodySize.
    bool append(std::string_view chunk);

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return buffer_.size(); }
    // The body as text, up to its first NUL byte; std::nullopt when no byte arrived.
    std::optional<std::string> text() const;

  private:
    std::vector<char> buffer_;
    std::size_t size_ = 0;
};

}  // namespace zelko
