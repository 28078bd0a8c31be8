#pragma once
// `CreateShellLink`: a shell link (.lnk) file made with the shell's link object.

#include <string>

namespace zelko {

// A link at `linkPath` that starts `target` in `workingFolder` (none when empty), shown normally
// (SW_SHOW); no arguments, description, icon or hot key. True only when the file was saved.
bool createShellLink(const std::wstring& workingFolder, const std::wstring& linkPath,
                     const std::wstring& target);

}  // namespace zelko
