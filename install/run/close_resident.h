#pragma once
// Closing a running resident program before its file is replaced (`CloseRunningInput`): it is
// asked to close through its tray window and given five seconds; it is never terminated.

#include <cstdint>
#include <string_view>

#include "install/run/install_shell.h"

namespace zelko {

constexpr std::uint32_t kCloseWaitMilliseconds = 5000;
constexpr std::uint32_t kClosePollMilliseconds = 10;

// The base name of the resident program's executable, in any letter case ("ZelkoInput.EXE").
bool isResidentProgramImageName(std::u16string_view baseName);

// True when no resident program runs any more; false when it is still there after the wait.
bool closeRunningResident(ResidentProgramControl& resident);

}  // namespace zelko
