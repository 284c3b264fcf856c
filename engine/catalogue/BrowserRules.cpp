// Targets of "Internet Browsing History" (items 129 to 169).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"

namespace scw::rules {

namespace {
#define HKCU HKEY_CURRENT_USER
const wchar_t kIe[] = L"Software\\Microsoft\\Internet Explorer";
const wchar_t kIeMain[] = L"Software\\Microsoft\\Internet Explorer\\Main";
const wchar_t kNetscape[] = L"\\Netscape\\Navigator\\";
const wchar_t kFirefox[] = L"\\Mozilla\\Firefox\\";

// The roaming profile folder of Netscape or Firefox, from the first profile of its "profiles.ini".
std::array<PathPart, 5> Roaming(const wchar_t* program, const wchar_t* profiles, const wchar_t* below = L"") {
    return {Known(CSIDL_APPDATA), Text(profiles), MozProfile(program), Text(below)};
}
std::array<PathPart, 5> NetscapeProfile(const wchar_t* below = L"") {
    return Roaming(kNetscape, L"\\Netscape\\Navigator\\Profiles\\", below);
}
std::array<PathPart, 5> FirefoxProfile() { return Roaming(kFirefox, L"\\Mozilla\\Firefox\\Profiles\\"); }
std::array<PathPart, 5> Opera(const wchar_t* below) { return {Known(CSIDL_APPDATA), Text(below)}; }
}  // namespace

RuleSpan BrowserRules() {
    static const TargetRule rows[] = {
        Folder(129, {Known(CSIDL_INTERNET_CACHE), Text(L"\\")}, L"*.*", KindAllFiles),
        Folder(130, {Known(CSIDL_HISTORY), Text(L"\\")}, L"*.*", KindAllFiles),
        Folder(131, {Known(CSIDL_FAVORITES), Text(L"\\")}, L"*.*", KindAllFiles),
        Folder(132, {Known(CSIDL_COOKIES), Text(L"\\")}, L"*.*", KindAllFiles),
        Reg(133, HKCU, kIeMain, L"Start Page", KindPlain),
        // 135 has no targets.
        Reg(136, HKCU, kIe, L"Download Directory", KindPlain),
        Reg(137, HKCU, kIeMain, L"Save Directory", KindPlain),
        Folder(138, {Known(CSIDL_APPDATA), Text(L"\\Microsoft\\Internet Explorer\\")}, L".txt", KindExtension),
        Reg(139, HKCU, L"Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW", L"*.*", KindPlain),
        Reg(141, HKCU, L"Software\\Microsoft\\Internet Explorer\\TypedURLs", L"*.*", KindPlain),

        Folder(143,
               {Profile(), Text(L"Local Settings\\Application Data\\Netscape\\Navigator\\Profiles\\"),
                MozProfile(kNetscape), Text(L"Cache\\")},
               L"*.*", KindAllFiles),
        Folder(144, NetscapeProfile(), L"history.dat", KindExactName),
        Folder(145, NetscapeProfile(), L"formhistory.dat", KindExactName),
        Folder(146, NetscapeProfile(), L"cookies.txt", KindExactName),
        Folder(146, NetscapeProfile(), L"webappsstore.sqlite", KindExactName),
        Folder(147, NetscapeProfile(), L"history.dat", KindExactName),
        Folder(147, NetscapeProfile(), L"localstore.rdf", KindExactName),
        Folder(148, NetscapeProfile(), L"bookmarks.bak", KindExactName),
        Folder(148, NetscapeProfile(), L"bookmarks.html", KindExactName),
        Folder(148, NetscapeProfile(L"bookmarkbackups\\"), L"*.*", KindAllFiles),
        Folder(149, NetscapeProfile(), L"linkpad.sqlite", KindExactName),
        Folder(150, NetscapeProfile(), L"key3.db", KindExactName),

        // 157 and 161 have no targets.
        Folder(158, Opera(L"\\Opera\\Opera\\profile\\sessions\\"), L"autosave.win", KindExactName),
        Folder(159, Opera(L"\\Opera\\Opera\\profile\\"), L"global.dat", KindExactName),
        Folder(159, Opera(L"\\Opera\\Opera\\profile\\"), L"vlink4.dat", KindExactName),
        Folder(160, Opera(L"\\Opera\\Opera\\profile\\"), L"cookies4.dat", KindExactName),
        Folder(162, Opera(L"\\Opera\\Opera\\profile\\"), L"download.dat", KindExactName),

        Folder(164, FirefoxProfile(), L"places.sqlite", KindExactName),
        Folder(164, FirefoxProfile(), L"sessionstore.js", KindExactName),
        Folder(164, FirefoxProfile(), L"places.sqlite-journal", KindExactName),
        Folder(165, FirefoxProfile(), L"formhistory.sqlite", KindExactName),
        Folder(166,
               {Profile(), Text(L"Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles\\"),
                MozProfile(kFirefox), Text(L"Cache\\")},
               L"*.*", KindAllFiles),
        Folder(167, FirefoxProfile(), L"downloads.sqlite", KindExactName),
        Folder(168, FirefoxProfile(), L"cookies.sqlite", KindExactName),
        Folder(168, FirefoxProfile(), L"webappsstore.sqlite", KindExactName),
        Folder(169, FirefoxProfile(), L"key3.db", KindExactName),
        Folder(169, FirefoxProfile(), L"signons3.txt", KindExactName),
    };
    return rows;
}

}  // namespace scw::rules
