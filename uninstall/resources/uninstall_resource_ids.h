// Resource ids of ZelkoUnInstall, shared by ZelkoUnInstall.rc, the program and its tests.
// Plain #defines only, so that windres reads it too.
#ifndef ZELKO_UNINSTALL_RESOURCES_UNINSTALL_RESOURCE_IDS_H
#define ZELKO_UNINSTALL_RESOURCES_UNINSTALL_RESOURCE_IDS_H

#define IDD_UNINSTALL 102
#define IDI_UNINSTALLER 128

#endif  // ZELKO_UNINSTALL_RESOURCES_UNINSTALL_RESOURCE_IDS_H
