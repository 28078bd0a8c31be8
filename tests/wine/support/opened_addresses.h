#pragma once
// What the default browser was asked to open, whichever way the resident program chose.

#include <string>
#include <vector>

#include "support/fake_browser_bench.h"

namespace zelko::test {

struct OpenedAddress {
    long long microseconds = 0;
    std::string address;
};

// Every address the fake browsers got, in order: the argument of a browser start, or an address
// committed in the address bar of a running browser.
std::vector<OpenedAddress> openedAddresses(const FakeBrowserBench& browser);

}  // namespace zelko::test
