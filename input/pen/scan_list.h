#pragma once
// The reader's list of kept scans, newest first. Callers guard it with the reader's lock.

#include <cstddef>
#include <deque>
#include <string>

namespace zelko {

constexpr int kScanListCapacity = 16;

class ScanList {
public:
    // A completed scan goes to the head; at capacity the oldest entry is dropped first. A text that
    // begins with exactly "WWW" is kept with those three letters in lower case.
    void push(std::string text);

    // The newest scan, or null when the list is empty.
    const std::string* newest() const;
    const std::string& at(std::size_t index) const { return entries_.at(index); }

    // -1 empties the list; 0 .. count-1 removes that entry (0 is the newest); other indexes fail.
    bool removeScan(int index);

    int count() const { return static_cast<int>(entries_.size()); }
    int capacity() const { return capacity_; }
    void setCapacity(int capacity) { capacity_ = capacity; }

private:
    std::deque<std::string> entries_;
    int capacity_ = kScanListCapacity;
};

}  // namespace zelko
