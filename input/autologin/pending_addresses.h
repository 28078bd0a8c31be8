#pragma once
// The addresses that the auto-login worker hands to the main thread, each with its own message,
// so that every address is opened exactly as it was handed over and in that order: the login page
// can never overtake the preparation page.

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace zelko {

class PendingAddresses {
  public:
    // Queues `address` and calls `notify` (which posts the message that will take it) under the
    // lock. When `notify` fails the address is taken back and false returned: no address is ever
    // left without its message.
    bool handOver(std::string address, const std::function<bool()>& notify);
    // The oldest address handed over, or std::nullopt when there is none.
    std::optional<std::string> take();

  private:
    std::mutex lock_;
    std::deque<std::string> addresses_;
};

}  // namespace zelko
