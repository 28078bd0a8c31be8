#pragma once
// `RemoveOldStartUpShortcut`: the startup shortcut recorded by an earlier installation goes before
// the programs are written, so that an update that turns the startup option off leaves none.

#include "common/setup/machine.h"

namespace zelko {

// True when the recorded shortcut is gone now (deleted, or already absent, or a folder stands
// there); false when nothing is recorded or the file could not be deleted.
bool removeOldStartUpShortcut(FileSystem& files, Registry& registry);

}  // namespace zelko
