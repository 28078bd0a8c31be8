#pragma once
// The final install folder made from the folder the user types or picks (`ComposeInstallPath`):
// the typed folder made absolute over the installer's current folder, then the maker's and the
// program's subfolders "Orvandale\ZelkoInput" below it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

constexpr char16_t kInstallSubfolders[] = u"Orvandale\\ZelkoInput";

// The longest typed folder read from the settings dialog.
constexpr std::size_t kLongestTypedFolder = 259;
// The longest install folder accepted: every file the programs keep in it ("…\ZelkoUnInstall.exe"
// being the longest name) must still fit the 259 characters of a path.
std::size_t longestInstallFolder();

// The install folder for the typed text, or nothing when the text is empty, longer than
// kLongestTypedFolder, not a path, or would give a folder longer than longestInstallFolder().
std::optional<std::u16string> composeInstallPath(std::u16string_view typed,
                                                 std::u16string_view currentFolder);

}  // namespace zelko
