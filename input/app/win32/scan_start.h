#pragma once

namespace zelko {

// The reader thread's scan start: the scan sound and the notification window, as the settings say.
void onScanStart(void* programStateContext);

}  // namespace zelko
