// Resource ids of the shredder page.
#pragma once

#define IDC_SHRED_PROGRESS 1015

// The free-space wipe dialog, opened from the shredder page.
#define IDD_WIPEFREE 575
#define IDC_SHRED_WIPEFREE 15010
#define IDC_WIPE_DRIVE 1101
#define IDC_WIPE_QUICK 1102
#define IDC_WIPE_SAFE 1103
#define IDC_WIPE_THOROUGH 1104
#define IDC_WIPE_PROGRESS 1105
#define IDC_WIPE_STATUS 1106
#define IDC_WIPE_REPORT 1107
#define IDC_WIPE_NOTE 1108
#define IDC_WIPE_START 1109
