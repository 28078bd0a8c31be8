// The choice of the browser window that receives an address.

#include "browser/window_choice.h"

namespace zelko {

bool isProcessOfBrowser(BrowserKind kind, std::u16string_view processName) {
    const BrowserTraits* traits = browserTraitsOf(kind);
    if (!traits || processName.empty()) {
        return false;
    }
    return lowerCaseAscii(processName)
               .compare(0, traits->executableName.size(), traits->executableName) == 0;
}

std::optional<std::size_t> chooseBrowserWindow(BrowserKind kind,
                                               const std::vector<BrowserWindowRecord>& records) {
    const BrowserTraits* traits = browserTraitsOf(kind);
    if (!traits) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < records.size(); ++index) {
        const BrowserWindowRecord& record = records[index];
        if (record.hasParent || !record.visible || !isProcessOfBrowser(kind, record.processName)) {
            continue;
        }
        if (!traits->windowClassFilter.empty() &&
            lowerCaseAscii(record.windowClass) != traits->windowClassFilter) {
            continue;
        }
        if (!traits->excludedTitle.empty() &&
            lowerCaseAscii(record.windowTitle) == traits->excludedTitle) {
            continue;
        }
        return index;
    }
    return std::nullopt;
}

}  // namespace zelko
