#pragma once
// The reader's list of kept scans, newest first. Callers guard it with the reader's lock.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace zelko {

constexpr int kScanListCapacity = 16;

class ScanList {
  public:
    // A completed scan goes to the head with the next sequence number (the first scan gets 1); at
    // capacity the oldest entry is dropped first. A text that begins with exactly "WWW" is kept
    // with those three letters in lower case.
    void push(std::string text);

    // The newest scan, or null when the list is empty.
    const std::string* newest() const;
    const std::string& at(std::size_t index) const { return entries_.at(index).text; }
    // The sequence number of the entry at `index` (0 is the newest); numbers grow with every scan
    // pushed and are never reused, also when entries are removed.
    std::uint64_t sequenceAt(std::size_t index) const { return entries_.at(index).sequence; }

    // -1 empties the list; 0 .. count-1 removes that entry (0 is the newest); other indexes fail.
    bool removeScan(int index);

    int count() const { return static_cast<int>(entries_.size()); }
    int capacity() const { return capacity_; }
    void setCapacity(int capacity) { capacity_ = capacity; }

  private:
    struct Entry {
        std::uint64_t sequence = 0;
        std::string text;
    };
    std::deque<Entry> entries_;
    int capacity_ = kScanListCapacity;
    std::uint64_t lastSequence_ = 0;
};

}  // namespace zelko
