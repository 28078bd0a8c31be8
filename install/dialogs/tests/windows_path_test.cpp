#include "install/dialogs/windows_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zelko {
namespace {

std::string utf8(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct FullPathCase {
    const char16_t* text;
    const char16_t* currentFolder;
    std::optional<std::u16string> expected;
};

constexpr char16_t kDownloads[] = u"C:\\Users\\ゼルコ\\Downloads";
constexpr char16_t kShareFolder[] = u"\\\\server\\share\\work";

TEST(WindowsPath, MakesTypedPathsAbsoluteAsThePlatformDoes) {
    const FullPathCase cases[] = {
        // Drive-absolute paths do not look at the current folder.
        {u"C:\\Program Files", kDownloads, u"C:\\Program Files"},
        {u"D:\\", kDownloads, u"D:\\"},
        {u"d:\\Tools", kDownloads, u"d:\\Tools"},
        {u"C:/a//b/./c/../d", kDownloads, u"C:\\a\\b\\d"},
        {u"C:\\a\\", kDownloads, u"C:\\a"},
        {u"C:\\..\\..\\x", kDownloads, u"C:\\x"},
        // An inner segment loses one trailing dot; the last one its trailing dots and spaces.
        {u"C:\\a.\\b", kDownloads, u"C:\\a\\b"},
        {u"C:\\Program Files. . ", kDownloads, u"C:\\Program Files"},
        {u"C:\\a\\b. \\c", kDownloads, u"C:\\a\\b. \\c"},
        // Relative paths are taken from the current folder.
        {u"abc", kDownloads, u"C:\\Users\\ゼルコ\\Downloads\\abc"},
        {u".", kDownloads, kDownloads},
        {u"..", kDownloads, u"C:\\Users\\ゼルコ"},
        {u"..\\..\\..\\..\\x", kDownloads, u"C:\\x"},
        {u"a/../b", kDownloads, u"C:\\Users\\ゼルコ\\Downloads\\b"},
        {u"\\x\\y", kDownloads, u"C:\\x\\y"},
        // "C:" and "C:name": the current folder when it is on that drive, else the drive's root.
        {u"C:", kDownloads, kDownloads},
        {u"c:abc", kDownloads, u"C:\\Users\\ゼルコ\\Downloads\\abc"},
        {u"D:", kDownloads, u"D:\\"},
        {u"D:abc", kDownloads, u"D:\\abc"},
        // Network shares: ".." stops at the share.
        {u"\\\\server\\share", kDownloads, u"\\\\server\\share\\"},
        {u"//server/share/x", kDownloads, u"\\\\server\\share\\x"},
        {u"\\\\server\\share\\x\\..\\..", kDownloads, u"\\\\server\\share\\"},
        {u"abc", kShareFolder, u"\\\\server\\share\\work\\abc"},
        {u"\\abc", kShareFolder, u"\\\\server\\share\\abc"},
        {u"..\\..\\..", kShareFolder, u"\\\\server\\share\\"},
        // Not paths that a folder can be made from.
        {u"", kDownloads, std::nullopt},
        {u"\\\\server", kDownloads, std::nullopt},
        {u"\\\\server\\", kDownloads, std::nullopt},
        {u"\\\\?\\C:\\x", kDownloads, std::nullopt},
        {u"\\\\.\\pipe\\x", kDownloads, std::nullopt},
        {u"abc", u"relative\\folder", std::nullopt},
        // An inner segment of dots and spaces only: losing one trailing dot, "..." would become a
        // ".." that the platform later reads as the folder above; no folder has such a name.
        {u"C:\\a\\...\\b", kDownloads, std::nullopt},
        {u"..\\...\\y", kDownloads, std::nullopt},
        {u"C:....\\x", kDownloads, std::nullopt},
        {u"\\\\server\\share\\...\\x", kDownloads, std::nullopt},
        {u"C:\\a\\. .\\b", kDownloads, std::nullopt},
        {u"C:\\a\\ \\b", kDownloads, std::nullopt},
        // The last segment loses all its dots and is gone.
        {u"C:\\a\\...", kDownloads, u"C:\\a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fullPath(c.text, c.currentFolder), c.expected)
            << utf8(c.text) << " over " << utf8(c.currentFolder);
    }
}

TEST(WindowsPath, MeasuresTheRoot) {
    EXPECT_EQ(rootLength(u"C:\\x"), 2u);
    EXPECT_EQ(rootLength(u"\\\\server\\share\\x"), 14u);
    EXPECT_EQ(rootLength(u"\\\\server\\share"), 14u);
    EXPECT_EQ(rootLength(u"x\\y"), 0u);
}

}  // namespace
}  // namespace zelko
