#pragma once
// The resources another process holds: private bytes, kernel handles, GDI and USER objects.

#include <windows.h>

#include <string>

#include "soak/soak_report.h"

namespace zelko::soak {

// Where the figures came from: the calls named first, or, where the system does not fill them
// (Wine: PrivateUsage and GetProcessHandleCount are 0, GetGuiResources answers
// ERROR_CALL_NOT_IMPLEMENTED), the commit charge, the process list's handle count, the live entries
// of the process's GDI handle table and the windows the process owns.
struct CountSources {
    std::string privateBytes = "PrivateUsage";
    std::string handles = "GetProcessHandleCount";
    std::string gdi = "GetGuiResources";
    std::string user = "GetGuiResources";
};

// `process` needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
ResourceCounts sampleResources(HANDLE process, DWORD processId, CountSources* sources);

}  // namespace zelko::soak
