// Resource and control ids of ZelkoInstall, shared by ZelkoInstall.rc, the program and its tests.
// Plain #defines only, so that windres reads it too.
#ifndef ZELKO_INSTALL_RESOURCES_INSTALL_RESOURCE_IDS_H
#define ZELKO_INSTALL_RESOURCES_INSTALL_RESOURCE_IDS_H

// The main frame: its icon and its title string.
#define IDR_MAINFRAME 128

// The dialogs: licence terms (130), settings (131), status (143).
#define IDD_INSTALL_START 130
#define IDD_INSTALL_INPUT 131
#define IDD_INSTALL_STATUS 143

// The carried programs: resources of type "BIN", byte for byte the built executables.
#define IDR_RESIDENT_PROGRAM 134
#define IDR_UNINSTALLER 135
#define PROGRAM_RESOURCE_TYPE L"BIN"

// The licence terms: UTF-8 text, resource type "TEXT".
#define IDR_LICENCE_TERMS 140
#define LICENCE_TERMS_RESOURCE_TYPE L"TEXT"

// Dialog 130.
#define IDC_LICENCE_TERMS 1000
// Dialog 131.
#define IDC_FINAL_FOLDER 1000
#define IDC_TYPED_FOLDER 1001
#define IDC_BROWSE 1002
#define IDC_START_UP 1003
// Dialog 143.
#define IDC_INSTALL_LOG 1001
#define IDC_FINISH 1002

#endif  // ZELKO_INSTALL_RESOURCES_INSTALL_RESOURCE_IDS_H
