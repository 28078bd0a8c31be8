// The reader's list of kept scans, newest first.

#include "pen/scan_list.h"

namespace zelko {

void ScanList::push(std::string text) {
    if (text.compare(0, 3, "WWW") == 0) {
        text.replace(0, 3, "www");
    }
    // At least the newest scan is kept, whatever the capacity, so its announcement finds it.
    while (!entries_.empty() && count() >= capacity_) {
        entries_.pop_back();
    }
    entries_.push_front(Entry{++lastSequence_, std::move(text)});
}

const std::string* ScanList::newest() const {
    return entries_.empty() ? nullptr : &entries_.front().text;
}

bool ScanList::removeScan(int index) {
    if (index == -1) {
        entries_.clear();
        return true;
    }
    if (index < 0 || index >= count()) {
        return false;
    }
    entries_.erase(entries_.begin() + index);
    return true;
}

}  // namespace zelko
