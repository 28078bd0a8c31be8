#pragma once
// Finding the top-level windows of another process.

#include <windows.h>

namespace zelko::test {

enum class Visibility { Any, VisibleOnly };

// The first top-level window of this class (and title, if given) that the process owns.
HWND findWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr,
                  Visibility visibility = Visibility::Any);

}  // namespace zelko::test
