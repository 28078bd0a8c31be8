// The consumer's place in the reader's scan list.

#include "pen/scan_cursor.h"

namespace zelko {

std::optional<TakenScan> ScanCursor::takeNext(const ScanList& scans) {
    // The list is newest first: walk from the oldest end to the first entry not yet taken.
    for (int index = scans.count() - 1; index >= 0; --index) {
        const auto at = static_cast<std::size_t>(index);
        const std::uint64_t sequence = scans.sequenceAt(at);
        if (sequence > lastTaken_) {
            TakenScan taken{sequence, scans.at(at), sequence - lastTaken_ - 1};
            lastTaken_ = sequence;
            return taken;
        }
    }
    return std::nullopt;
}

}  // namespace zelko
