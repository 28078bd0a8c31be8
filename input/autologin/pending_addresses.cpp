#include "autologin/pending_addresses.h"

namespace zelko {

bool PendingAddresses::handOver(std::string address, const std::function<bool()>& notify) {
    std::lock_guard<std::mutex> guard(lock_);
    addresses_.push_back(std::move(address));
    if (notify()) {
        return true;
    }
    // Every message posted before this one takes one of the earlier addresses, so the one just
    // added is still the last.
    addresses_.pop_back();
    return false;
}

std::optional<std::string> PendingAddresses::take() {
    std::lock_guard<std::mutex> guard(lock_);
    if (addresses_.empty()) {
        return std::nullopt;
    }
    std::string address = std::move(addresses_.front());
    addresses_.pop_front();
    return address;
}

}  // namespace zelko
