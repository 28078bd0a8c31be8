// The six recognised browsers and the choice of one from the registered command line.

#include "browser/browser_kind.h"

namespace zelko {

const std::array<BrowserTraits, 6>& knownBrowsers() {
    static const std::array<BrowserTraits, 6> browsers = {{
        {InternetExplorer, u"iexplore", u"iexplore.exe", u"ieframe", u"", kChordAltD},
        {Sleipnir, u"sleipnir", u"sleipnir.exe", u"", u"", kChordAltD},
        {Firefox, u"firefox", u"firefox.exe", u"mozillauiwindowclass", u"ダウンロードマネージャ",
         kChordAltD},
        {Safari, u"safari", u"safari.exe", u"", u"", kChordAltD},
        {Opera, u"opera", u"opera.exe", u"", u"", kChordCtrlL},
        {Chrome, u"chrome", u"chrome.exe", u"", u"", kChordAltD},
    }};
    return browsers;
}

const BrowserTraits* browserTraitsOf(BrowserKind kind) {
    for (const BrowserTraits& traits : knownBrowsers()) {
        if (traits.kind == kind) {
            return &traits;
        }
    }
    return nullptr;
}

std::u16string lowerCaseAscii(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& unit : lower) {
        if (unit >= u'A' && unit <= u'Z') {
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        }
    }
    return lower;
}

BrowserKind browserKindFromCommandLine(std::u16string_view commandLine) {
    const std::u16string lower = lowerCaseAscii(commandLine);
    for (const BrowserTraits& traits : knownBrowsers()) {
        if (lower.find(traits.registrySubstring) != std::u16string::npos) {
            return traits.kind;
        }
    }
    return UnknownBrowser;
}

}  // namespace zelko
