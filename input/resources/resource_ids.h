// Resource and control ids of ZelkoInput, shared by ZelkoInput.rc and the C++ sources.
// Plain #defines only (no <windows.h>), so that windres and the portable code can both read it.
#ifndef ZELKO_INPUT_RESOURCES_RESOURCE_IDS_H
#define ZELKO_INPUT_RESOURCES_RESOURCE_IDS_H

// Icons, menu, dialogs and bitmaps.
#define IDI_PROGRAM 101
#define IDR_TRAY_MENU 102
#define IDI_TRAY_NOT_ATTACHED 104
#define IDI_TRAY_USABLE 105
#define IDD_ABOUT 106
#define IDD_SETTINGS 107
#define IDI_TRAY_NO_ACCESS 108
#define IDB_SCAN_NOTIFICATION 109
#define IDB_LOGIN_BACKGROUND 124

// The scan sound: a resource named "SCANSOUND" of the custom type "WAVE" (PlaySoundW with
// SND_RESOURCE looks for that type).
#define SCAN_SOUND_RESOURCE_NAME L"SCANSOUND"

// Commands of the tray menu.
#define ID_MENU_EXIT 40002
#define ID_MENU_SETTINGS 40004
#define ID_MENU_ABOUT 40005

// Controls of the settings dialog. 1003 and 1004 form a pair that the dialog keeps exclusive.
#define IDC_LAUNCH_BROWSER 1003
#define IDC_SET_ADDRESS_BAR 1004
#define IDC_PLAY_SOUND 1005
#define IDC_SHOW_DIALOG 1006

// Controls of the about dialog.
#define IDC_OPEN_SUPPORT_PAGE 1006
#define IDC_UPDATE_CHECK 1007
#define IDC_PEN_VERSION 1008

#endif  // ZELKO_INPUT_RESOURCES_RESOURCE_IDS_H
