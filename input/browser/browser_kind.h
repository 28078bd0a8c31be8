#pragma once
// The six browsers that the program recognises as the default browser, and their traits.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelko {

enum BrowserKind : std::int32_t {
    UnknownBrowser = -1,
    InternetExplorer = 0,
    Sleipnir = 1,
    Firefox = 2,
    Safari = 3,
    Opera = 4,
    Chrome = 5,
};

// A key chord as VkKeyScanW gives it: the low byte is the virtual key, the high byte the shift
// state (0x100 Shift, 0x200 Ctrl, 0x400 Alt).
using KeyChord = std::uint16_t;
constexpr KeyChord kChordAltD = 0x0444;
constexpr KeyChord kChordCtrlL = 0x024C;

// All texts are lower case; they are compared with lower-cased text. An empty filter or title
// means none.
struct BrowserTraits {
    BrowserKind kind;
    std::u16string_view registrySubstring;  // looked for in the registered command line
    std::u16string_view executableName;     // the start of the process's module name
    std::u16string_view windowClassFilter;  // only windows of this class qualify
    std::u16string_view excludedTitle;      // windows with exactly this title never qualify
    KeyChord addressBarChord;               // puts the focus into the address bar
};

// In detection order: the first substring found in the command line decides.
const std::array<BrowserTraits, 6>& knownBrowsers();

// The traits of a known kind, or null for UnknownBrowser and other values.
const BrowserTraits* browserTraitsOf(BrowserKind kind);

// The kind whose substring the command line contains (letters compared case-insensitively), in
// table order; UnknownBrowser when there is none.
BrowserKind browserKindFromCommandLine(std::u16string_view commandLine);

// A copy with the letters A to Z in lower case; every other code unit is kept.
std::u16string lowerCaseAscii(std::u16string_view text);

}  // namespace zelko
