// Resource ids. Catalogue texts use their item IDs (102 to 374) directly in the string table.
#pragma once

// Dialogs
#define IDD_MAIN 102
#define IDD_SCAN 129
#define IDD_OPTIONS 130
#define IDD_SHRED 157
#define IDD_WELCOME 226
#define IDD_ONECLICK_CHOOSE 295
#define IDD_JUNK 350

// Icons
#define IDI_MAIN 128

// Bitmaps
#define IDB_SPLASH 227
#define IDB_WELCOME 228

// Strings beyond the catalogue
#define IDS_ONECLICK_FAVORITES 272

// Controls of the main window
#define IDC_MAIN_TAB 1006
#define IDC_MAIN_UPDATE 1045
#define IDC_MAIN_HELP_TOP 1002
#define IDC_MAIN_HELP_SIDE 1039
#define IDC_MAIN_HOMELINK 1037

// Commands of the main window
#define ID_MAIN_CLOSE 10200
#define ID_MAIN_MINIMIZE 10202
#define ID_TRAY_SECURITY 20000
#define ID_TRAY_JUNK 20001
#define ID_TRAY_SETTINGS 20002
#define ID_TRAY_SHREDDER 20003
#define ID_TRAY_HELP 20005
#define ID_TRAY_ONECLICK 20006
#define ID_TRAY_EXIT 20007
