#pragma once
// The fake browser's event log (see fake_browser.cpp for its format).

#include <string>
#include <vector>

namespace zelko::fakebrowser {

// Each field is escaped on its own; the fields are separated by single spaces.
void logEvent(const std::wstring& event, const std::vector<std::wstring>& fields = {});

// "start <executable name> <argument count>", then one "arg <argument>" line per argument.
void logStart(const std::wstring& exeName, const std::vector<std::wstring>& arguments);

}  // namespace zelko::fakebrowser
