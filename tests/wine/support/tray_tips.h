#pragma once
// The tooltip texts of the notification-area icons as the desktop shell shows them, for programs
// that have no event log (the shipped resident program). Under Wine the shell (explorer.exe) keeps
// each icon's tip in a tooltip control of its own process; its tools are read with TTM_ENUMTOOLSW
// into memory allocated in that process.

#include <string>
#include <vector>

namespace zelko::test {

// The tips of every icon in the shell's tooltip controls; empty when there are none.
std::vector<std::wstring> trayIconTips();

// The TrayState (0 usable, 1 no access, 2 not attached) whose tip a ZELKO icon shows, or -1 when
// no icon shows one of them.
int shownTrayState();

}  // namespace zelko::test
