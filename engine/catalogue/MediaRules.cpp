// Targets of "Multimedia" (items 246 to 271).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"

namespace scw::rules {

namespace {
#define HKCU HKEY_CURRENT_USER
const wchar_t kAcdSee[] = L"Software\\ACD Systems\\ACDSee\\50";
std::array<PathPart, 5> Real(const wchar_t* below = L"") {
    return {Known(CSIDL_APPDATA), Text(L"\\Real\\RealPlayer\\"), Text(below)};
}
}  // namespace

RuleSpan MediaRules() {
    static const TargetRule rows[] = {
        Reg(246, HKCU, L"Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", L"*.*", KindPlain),
        Reg(247, HKCU, L"Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList", L"*.*", KindPlain),
        Folder(369, {LocalMicrosoft(), Text(L"Media Player\\")}, L".wmdb", KindExtension),
        // 248 and 250 have no targets.
        Folder(251, {Profile(), Text(L"Application Data\\Winamp\\")}, L".bm", KindExtension),
        Folder(252, {Profile(), Text(L"Application Data\\Winamp\\Plugins\\ml\\")}, L"*.*", KindAllFiles),
        Folder(256, Real(), L"cookies.txt", KindExactName),
        Folder(256, Real(), L"realplayer.ste", KindExactName),
        Folder(256, Real(L"ErrorLogs\\"), L"*.*", KindUnlisted),
        Folder(256, Real(L"History\\"), L"*.*", KindUnlisted),
        Reg(258, HKCU, L"Software\\DivXNetworks\\DivX Player\\RecentFiles", L"*.*", KindPlain),
        // 259 has no targets.
        Reg(261, HKEY_LOCAL_MACHINE, L"SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies", L"*.*", KindPlain),
        Folder(263, {Known(CSIDL_APPDATA), Text(L"\\Apple Computer\\QuickTime\\")}, L"*.*", KindAllFiles),
        Folder(265, {Known(CSIDL_APPDATA), Text(L"\\ACD Systems\\ImageDB\\")}, L"*.*", KindUnlisted),
        // 266 and 271 have no targets.
        Reg(267, HKCU, kAcdSee, L"HistPaths", KindPlain),
        Reg(268, HKCU, kAcdSee, L"HistMCFDestFolder", KindPlain),
        Reg(269, HKCU, kAcdSee, L"OpenFolder", KindPlain),
        Reg(270, HKCU, kAcdSee, L"HistPaths", KindPlain),
        Reg(270, HKCU, kAcdSee, L"HistMCFDestFolder", KindPlain),
    };
    return rows;
}

}  // namespace scw::rules
