#pragma once
// Which browser is registered for the http scheme.

#include "browser/browser_kind.h"

namespace zelko {

// Reads the default value of HKEY_CLASSES_ROOT\http\shell\open\command (REG_SZ or REG_EXPAND_SZ,
// not expanded, shorter than 520 bytes) and recognises the browser in it. A value that is missing,
// of another type or too long gives UnknownBrowser.
BrowserKind detectDefaultBrowser();

}  // namespace zelko
