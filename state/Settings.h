#pragma once
// setting.ini beside the program: its sections, keys, defaults and the nine settings values.
#include "framework/IniFileRW.h"

namespace scw {

inline constexpr wchar_t kSettingsFileName[] = L"setting.ini";

inline constexpr wchar_t kSectionGeneral[] = L"General Settings";
inline constexpr wchar_t kKeyRunAtStartup[] = L"Run at windows startup";
inline constexpr wchar_t kKeyAutoUpdate[] = L"Automaticly update";
// Off when missing: files written before the setting existed keep deleting as they did.
inline constexpr wchar_t kKeyOverwriteBeforeDelete[] = L"Overwrite files before deleting";
inline constexpr wchar_t kSectionExit[] = L"Exit setting";
inline constexpr wchar_t kKeyExit[] = L"exit";
inline constexpr wchar_t kKeyTray[] = L"tray";
inline constexpr wchar_t kSectionScheduler[] = L"Scan Schduler";
inline constexpr wchar_t kKeyEvery[] = L"every";
inline constexpr wchar_t kKeyDay[] = L"day";
inline constexpr wchar_t kKeyHour[] = L"hour";
inline constexpr wchar_t kKeyMinute[] = L"minute";
inline constexpr wchar_t kKeyWhen[] = L"when";

struct SettingsValues {
    int runAtStartup = 0;
    int autoUpdate = 0;
    int exitOnClose = 0;
    int trayOnClose = 0;
    int schedulerOn = 0;
    int schedulerDay = 0;
    int schedulerHour = 0;
    int schedulerMinute = 0;
    int schedulerHalf = 0;
    int overwriteBeforeDelete = 0;

    bool operator==(const SettingsValues&) const = default;
};

// The settings file of this program (beside the running program file).
CIniFileRW SettingsFile();

// Writes the default file when none exists; an existing file is never touched. False when the
// file is missing and could not be written (the start goes on; every read then gives 1).
bool EnsureDefaultSettings(const CIniFileRW& file);

SettingsValues ReadSettings(const CIniFileRW& file);

// Writes the wanted values; each value in use changes only when the file took it, so the program
// never runs on a value that was not saved. The close settings are written only when they
// change. False when any write failed.
bool WriteSettings(const CIniFileRW& file, const SettingsValues& wanted, SettingsValues& inUse);

}  // namespace scw
