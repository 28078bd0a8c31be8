// The install folder made from the typed text and the installer's current folder, both any UTF-16
// text.
//
// Properties: a typed text of more than 259 characters gives no folder; a folder is absolute (a
// drive followed by a backslash, or a network share), holds no forward slash, no empty segment nor
// one of dots and spaces only ("." and ".." included) and at most longestInstallFolder()
// characters, and ends in "\Orvandale\ZelkoInput"; a typed text with a drive keeps that drive;
// the folder composed from a folder composed before (typed as it stands) is that folder with the
// subfolders added once more, when it still fits and none of its segments ends in a dot.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "common/fuzz/fuzz_check.h"
#include "install/dialogs/install_path.h"
#include "install/dialogs/windows_path.h"

namespace {

using namespace zelko;

std::u16string utf16Text(FuzzedDataProvider& provider, std::size_t longest) {
    const std::string bytes = provider.ConsumeRandomLengthString(2 * longest);
    std::u16string text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                             (static_cast<unsigned char>(bytes[at + 1]) << 8)));
    }
    return text;
}

bool endsWith(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool isDrive(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

void checkFolder(std::u16string_view typed, const std::u16string& folder) {
    FUZZ_CHECK(folder.size() <= longestInstallFolder());
    FUZZ_CHECK(endsWith(folder, std::u16string(u"\\") + kInstallSubfolders));
    FUZZ_CHECK(folder.find(u'/') == std::u16string::npos);
    const std::size_t root = rootLength(folder);
    FUZZ_CHECK(root > 0);
    FUZZ_CHECK(folder.size() > root && folder[root] == u'\\');
    if (root == 2) {
        FUZZ_CHECK(isDrive(folder[0]) && folder[1] == u':');
    } else {
        FUZZ_CHECK(folder[0] == u'\\' && folder[1] == u'\\');
    }
    // The segments below the root.
    std::size_t start = root + 1;
    while (start <= folder.size()) {
        std::size_t end = folder.find(u'\\', start);
        if (end == std::u16string::npos) {
            end = folder.size();
        }
        const std::u16string_view segment = std::u16string_view(folder).substr(start, end - start);
        FUZZ_CHECK(!segment.empty());
        // Never "." or "..", nor any name of dots and spaces only, which no folder can have.
        FUZZ_CHECK(segment.find_first_not_of(u". ") != std::u16string_view::npos);
        start = end + 1;
    }
    if (typed.size() >= 3 && isDrive(typed[0]) && typed[1] == u':' &&
        (typed[2] == u'\\' || typed[2] == u'/')) {
        FUZZ_CHECK((folder[0] | 0x20) == (typed[0] | 0x20));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::u16string current = utf16Text(provider, 300);
    const std::u16string typed = utf16Text(provider, 300);

    const std::optional<std::u16string> folder = composeInstallPath(typed, current);
    if (typed.size() > kLongestTypedFolder || typed.empty()) {
        FUZZ_CHECK(!folder);
    }
    if (!folder) {
        return 0;
    }
    checkFolder(typed, *folder);

    // Typed again as it stands, the folder reads as itself, unless one of its segments ends in a
    // dot: the platform drops one trailing dot of an inner segment each time it reads a path.
    if (folder->find(u".\\") != std::u16string::npos) {
        return 0;
    }
    const std::optional<std::u16string> again = composeInstallPath(*folder, current);
    const std::u16string expected = *folder + u"\\" + kInstallSubfolders;
    if (expected.size() <= longestInstallFolder()) {
        FUZZ_CHECK(again == expected);
    } else {
        FUZZ_CHECK(!again);
    }
    return 0;
}
