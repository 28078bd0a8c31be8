#include "web/body_collector.h"

#include <cstring>

namespace zelko {

BodyCollector::BodyCollector() : buffer_(kInitialCapacity, '\0') {}

bool BodyCollector::append(std::string_view chunk) {
    if (chunk.size() > kMaxBodySize - size_) {
        return false;
    }
    std::size_t capacity = buffer_.size();
    while (size_ + chunk.size() >= capacity) {
        capacity *= 2;
    }
    buffer_.resize(capacity, '\0');
    std::memcpy(buffer_.data() + size_, chunk.data(), chunk.size());
    size_ += chunk.size();
    return true;
}

std::optional<std::string> BodyCollector::text() const {
    if (size_ == 0) {
        return std::nullopt;
    }
    return std::string(buffer_.data());
}

}  // namespace zelko
