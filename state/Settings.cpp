#include "state/Settings.h"

#include <string>

namespace scw {

namespace {
void WriteItemSetDefaults(const CIniFileRW& file, const wchar_t* section, const wchar_t* countKey,
                          std::initializer_list<int> items, bool& ok) {
    ok = file.WriteInt(section, countKey, static_cast<int>(items.size())) && ok;
    int index = 0;
    for (int item : items) {
        std::wstring key = L"item" + std::to_wstring(index++);
        ok = file.WriteInt(section, key.c_str(), item) && ok;
    }
}
}  // namespace

CIniFileRW SettingsFile() { return CIniFileRW(kSettingsFileName); }

bool EnsureDefaultSettings(const CIniFileRW& file) {
    if (::GetFileAttributesW(file.Path().c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    bool ok = true;
    ok = file.WriteInt(kSectionGeneral, kKeyRunAtStartup, 0) && ok;
    ok = file.WriteInt(kSectionGeneral, kKeyAutoUpdate, 0) && ok;
    ok = file.WriteInt(kSectionExit, kKeyExit, 0) && ok;
    ok = file.WriteInt(kSectionExit, kKeyTray, 1) && ok;
    ok = file.WriteInt(kSectionScheduler, kKeyEvery, 0) && ok;
    ok = file.WriteInt(kSectionScheduler, kKeyDay, 0) && ok;
    ok = file.WriteInt(kSectionScheduler, kKeyHour, 9) && ok;
    ok = file.WriteInt(kSectionScheduler, kKeyMinute, 38) && ok;
    ok = file.WriteInt(kSectionScheduler, kKeyWhen, 0) && ok;
    WriteItemSetDefaults(file, L"OneClickItem", L"OneClickItems", {104, 105, 106, 107, 108, 109, 113, 129, 130, 132},
                         ok);
    WriteItemSetDefaults(file, L"DefaultItem", L"DefaultItems",
                         {104, 105, 106, 107, 108, 109, 113, 129, 130, 135, 139, 141}, ok);
    ok = file.WriteInt(L"RecentItem", L"RecentItems", -1) && ok;
    return ok;
}

SettingsValues ReadSettings(const CIniFileRW& file) {
    SettingsValues v;
    v.runAtStartup = file.ReadInt(kSectionGeneral, kKeyRunAtStartup);
    v.autoUpdate = file.ReadInt(kSectionGeneral, kKeyAutoUpdate);
    v.exitOnClose = file.ReadInt(kSectionExit, kKeyExit);
    v.trayOnClose = file.ReadInt(kSectionExit, kKeyTray);
    v.schedulerOn = file.ReadInt(kSectionScheduler, kKeyEvery);
    v.schedulerDay = file.ReadInt(kSectionScheduler, kKeyDay);
    v.schedulerHour = file.ReadInt(kSectionScheduler, kKeyHour);
    v.schedulerMinute = file.ReadInt(kSectionScheduler, kKeyMinute);
    v.schedulerHalf = file.ReadInt(kSectionScheduler, kKeyWhen);
    v.overwriteBeforeDelete = file.ReadInt(kSectionGeneral, kKeyOverwriteBeforeDelete, 0) != 0;
    return v;
}

bool WriteSettings(const CIniFileRW& file, const SettingsValues& wanted, SettingsValues& inUse) {
    bool ok = true;
    auto write = [&](const wchar_t* section, const wchar_t* key, int value, int& stored) {
        if (file.WriteInt(section, key, value))
            stored = value;
        else
            ok = false;
    };
    // The order of the settings page's Save.
    write(kSectionGeneral, kKeyRunAtStartup, wanted.runAtStartup, inUse.runAtStartup);
    write(kSectionGeneral, kKeyAutoUpdate, wanted.autoUpdate, inUse.autoUpdate);
    write(kSectionGeneral, kKeyOverwriteBeforeDelete, wanted.overwriteBeforeDelete, inUse.overwriteBeforeDelete);
    write(kSectionScheduler, kKeyEvery, wanted.schedulerOn, inUse.schedulerOn);
    write(kSectionScheduler, kKeyDay, wanted.schedulerDay, inUse.schedulerDay);
    write(kSectionScheduler, kKeyHour, wanted.schedulerHour, inUse.schedulerHour);
    write(kSectionScheduler, kKeyMinute, wanted.schedulerMinute, inUse.schedulerMinute);
    write(kSectionScheduler, kKeyWhen, wanted.schedulerHalf, inUse.schedulerHalf);
    // Read as on or off, as the close rule reads them.
    auto differs = [](int a, int b) { return (a != 0) != (b != 0); };
    if (differs(wanted.exitOnClose, inUse.exitOnClose))
        write(kSectionExit, kKeyExit, wanted.exitOnClose, inUse.exitOnClose);
    if (differs(wanted.trayOnClose, inUse.trayOnClose))
        write(kSectionExit, kKeyTray, wanted.trayOnClose, inUse.trayOnClose);
    return ok;
}

}  // namespace scw
