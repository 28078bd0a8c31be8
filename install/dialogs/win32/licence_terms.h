#pragma once
// The licence terms shown in dialog 130, from the installer's resources.

#include <windows.h>

#include <string>

namespace zelko {

// The terms with CR LF line ends, as a multi-line edit control wants them; empty when missing.
std::wstring loadLicenceTerms(HINSTANCE instance);

}  // namespace zelko
