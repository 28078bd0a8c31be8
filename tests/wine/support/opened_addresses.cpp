#include "support/opened_addresses.h"

#include <map>

namespace zelko::test {

std::vector<OpenedAddress> openedAddresses(const FakeBrowserBench& browser) {
    std::vector<OpenedAddress> opened;
    std::map<DWORD, std::size_t> startWithoutArgument;
    for (const FakeBrowserEvent& event : browser.events()) {
        const std::string field = event.fields.empty() ? "" : event.fields[0];
        if (event.name == "start") {
            startWithoutArgument[event.processId] = opened.size();
            opened.push_back({event.microseconds, ""});
        } else if (event.name == "arg" && startWithoutArgument.count(event.processId)) {
            opened[startWithoutArgument[event.processId]].address = field;
            startWithoutArgument.erase(event.processId);
        } else if (event.name == "commit") {
            opened.push_back({event.microseconds, field});
        }
    }
    return opened;
}

}  // namespace zelko::test
