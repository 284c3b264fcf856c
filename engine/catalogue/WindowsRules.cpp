// Targets of "Windows Cache and History" (items 104 to 126).
#include <shlobj.h>

#include "engine/Registry.h"
#include "engine/Targets.h"
#include "engine/catalogue/RuleTable.h"
#include "engine/catalogue/WindowsCode.h"

namespace scw::rules {

namespace {
#define HKCU HKEY_CURRENT_USER
#define HKLM HKEY_LOCAL_MACHINE
const wchar_t kExplorer[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const wchar_t kWinlogon[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
}  // namespace

RuleSpan WindowsRules() {
    static const TargetRule rows[] = {
        Reg(104, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs", L"*.*", KindUnlisted),
        Folder(104, {Known(CSIDL_RECENT), Text(L"\\")}, L"*.*", KindAllFiles),
        Reg(105, HKCU, L"Software\\Microsoft\\Search Assistant\\ACMru", L"*.*", KindUnlisted),
        Folder(106, {TempVar(), Text(L"\\")}, L"*.*", KindAllFiles),
        Code(107, AddRecycleBins),
        Reg(108, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist", L"*.*", KindUnlisted),
        Reg(109, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu", L"*.*",
            KindUnlisted),
        Reg(109, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu2", L"*.*",
            KindUnlisted),
        Folder(110, {Known(CSIDL_WINDOWS), Text(L"\\")}, L"setupapi.log", KindExactName),
        Folder(110, {Known(CSIDL_WINDOWS), Text(L"\\")}, L"DirectX.log", KindExactName),
        Code(111, AddPagingFile),
        Folder(112, {WindowsDir(), Text(L"\\temp\\")}, L"*.*", KindUnlisted),
        Reg(113, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", L"*.*", KindPlain),
        // 114 and 115 have no targets.
        Folder(116, {Profile(), Text(L"UserData\\")}, L"*.*", KindUnlisted),
        // 117 has no targets.
        Folder(118, {Known(CSIDL_CDBURN_AREA), Text(L"\\")}, L"*.*", KindUnlisted),
        Reg(119, HKLM, kWinlogon, L"DefaultUserName", KindPlain),
        Reg(119, HKLM, kWinlogon, L"AltDefaultUserName", KindPlain),
        Reg(119, HKCU, kExplorer, L"Logon User Name", KindPlain),
        Folder(120, {WindowsDir(), Text(L"\\Debug\\")}, L"*.*", KindUnlisted),
        Reg(121, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32", L"*.*", KindPlain),
        Reg(122, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", L"*.*",
            KindPlain),
        Reg(123, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU", L"*.*",
            KindPlain),
        // 124 has no targets.
        Reg(125, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", L"lastkey", KindPlain),
        Reg(126, HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List", L"*.*",
            KindPlain),
    };
    return rows;
}

bool AddRecycleBins(CMyObject& item, const Environment& env) {
    for (const std::wstring& root : env.LogicalDrives()) {
        if (env.DriveType(root) != DRIVE_FIXED) continue;
        AddTarget(item, nullptr, root + L"RECYCLER\\", L"*.*", KindAllFiles);
        AddTarget(item, nullptr, root + L"Recycled\\", L"*.*", KindAllFiles);
    }
    return true;
}

std::optional<PagingFile> ParsePagingFiles(const std::wstring& value) {
    size_t end = value.find(L' ');
    std::wstring path = value.substr(0, end);
    size_t slash = path.rfind(L'\\');
    // Without a backslash the value names no folder; guessing one could name the wrong file.
    if (slash == std::wstring::npos || slash + 1 == path.size()) return std::nullopt;
    return PagingFile{path.substr(0, slash + 1), path.substr(slash + 1)};
}

bool AddPagingFile(CMyObject& item, const Environment&) {
    std::wstring value;
    if (!CNRegistry::ReadRegistryString(
            HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
            L"PagingFiles", value))
        return false;
    auto paging = ParsePagingFiles(value);
    if (!paging) return false;
    return AddTarget(item, nullptr, paging->folder, paging->name, KindExactName);
}

}  // namespace scw::rules
