#pragma once
// The platform's rule for making a typed path absolute, as GetFullPathNameW applies it: forward
// slashes become backslashes, runs of backslashes collapse, "." and ".." segments are resolved
// (never above the root), a trailing dot of an inner segment and trailing dots and spaces of the
// last segment are dropped.
//
// Roots: a drive ("C:\...") or a network share ("\\server\share\..."). A path that starts with
// one backslash is taken from the current folder's root; "C:name" (no backslash after the colon)
// from the current folder when it is on drive C, else from the root of C. Device paths
// ("\\?\...", "\\.\...") and shares without a name are not accepted, nor an inner segment made
// only of dots and spaces other than "." and ".." ("..." would become ".." by the trailing-dot
// rule, and no folder can have such a name).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

// The absolute form of `text` over `currentFolder` (itself absolute), with no trailing backslash
// except after a bare drive ("C:\"); nothing when either cannot be read as a path.
std::optional<std::u16string> fullPath(std::u16string_view text, std::u16string_view currentFolder);

// How many characters of an absolute path are its root: 2 for "C:...", the length of
// "\\server\share" for a network path; 0 when the path has neither.
std::size_t rootLength(std::u16string_view absolutePath);

}  // namespace zelko
