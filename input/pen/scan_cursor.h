#pragma once
// The consumer's place in the reader's scan list: which scans have had their turn. Each scan is
// taken once, oldest first, however many scans arrived before the consumer came to them.

#include <cstdint>
#include <optional>
#include <string>

#include "pen/scan_list.h"

namespace zelko {

struct TakenScan {
    std::uint64_t sequence = 0;
    std::string text;
    // Scans between the last one taken and this one that left the list (at its capacity, or
    // emptied) before their turn came; they are lost.
    std::uint64_t lostBefore = 0;
};

class ScanCursor {
  public:
    // The oldest kept scan newer than the last one taken, which from now on counts as taken;
    // nothing when every kept scan has been taken. The caller holds the reader's lock, and acts on
    // the scan after letting it go: a handler that runs again meanwhile (a modal loop dispatching
    // the next pen event) takes the following scans, never this one again.
    std::optional<TakenScan> takeNext(const ScanList& scans);

    // The sequence number of the last scan taken; 0 before the first.
    std::uint64_t lastTaken() const { return lastTaken_; }

  private:
    std::uint64_t lastTaken_ = 0;
};

}  // namespace zelko
