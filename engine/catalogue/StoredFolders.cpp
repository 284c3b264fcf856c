#include "engine/catalogue/StoredFolders.h"

#include <vector>

#include "engine/FolderSafety.h"
#include "engine/Registry.h"
#include "engine/Resolvers.h"
#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw::rules {

namespace {

std::optional<std::wstring> RegistryFolder(HKEY root, const wchar_t* key, const wchar_t* value,
                                           const Environment& env) {
    std::wstring text;
    if (!CNRegistry::ReadRegistryString(root, key, value, text)) return std::nullopt;
    return CheckedStoredFolder(std::move(text), env);
}

// A path that PocoMail's INI gives; also ends in a backslash when the value did not, since the
// file names are appended directly and "D:\Mail" + "Trash.mbx" would name a file beside the folder.
std::optional<std::wstring> PocoFolder(const Environment& env, int which) {
    auto path = ReadPocoMailPath(env, which);
    if (!path) return std::nullopt;
    auto folder = CheckedStoredFolder(*path, env);
    if (!folder) return std::nullopt;
    return *folder + L"\\";
}

const wchar_t kPassportSettings[] = L"Software\\Microsoft\\MSNMessenger\\PerPassportSettings";

}  // namespace

std::optional<std::wstring> CheckedStoredFolder(std::wstring value, const Environment& env) {
    // Programs store their folders with and without a final backslash; the rules append "\...".
    while (!value.empty() && value.back() == L'\\') value.pop_back();
    if (value.empty()) return std::nullopt;
    if (!FolderGuard(env).MayWalk(value + L"\\")) return std::nullopt;
    return value;
}

std::optional<std::wstring> CheckedFolderName(const std::wstring& value) {
    if (value.empty() || value == L"." || value == L"..") return std::nullopt;
    if (value.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) return std::nullopt;
    if (value.find(L"..") != std::wstring::npos) return std::nullopt;
    return value;
}

std::optional<std::wstring> YahooFolder(const Environment& env) {
    const wchar_t kEssentials[] = L"SOFTWARE\\Yahoo\\Essentials";
    if (auto folder = RegistryFolder(HKEY_LOCAL_MACHINE, kEssentials, L"MainDir", env)) return folder;
    auto wow = Wow32KeyPath(HKEY_LOCAL_MACHINE, kEssentials);
    if (!wow) return std::nullopt;
    return RegistryFolder(HKEY_LOCAL_MACHINE, wow->c_str(), L"MainDir", env);
}

std::optional<std::wstring> BitCometFolder(const Environment& env) {
    return RegistryFolder(HKEY_CURRENT_USER, L"Software\\BitComet", L"", env);
}

std::optional<std::wstring> EudoraFolder(const Environment& env) {
    return RegistryFolder(HKEY_CURRENT_USER, L"Software\\Qualcomm\\Eudora\\LaunchManager", L"Path#1", env);
}

std::optional<std::wstring> GoogleDesktopFolder(const Environment& env) {
    return RegistryFolder(HKEY_CURRENT_USER, L"Software\\Google\\Google Desktop", L"data_dir", env);
}

std::optional<std::wstring> IncrediMailIdentityFolder(const Environment& env) {
    auto folder = RegistryFolder(HKEY_CURRENT_USER, L"Software\\IncrediMail", L"ApplicationPath", env);
    if (!folder) return std::nullopt;
    std::wstring identity;
    if (!CNRegistry::ReadRegistryString(HKEY_CURRENT_USER, L"Software\\IncrediMail\\Identities", L"", identity))
        return std::nullopt;
    auto name = CheckedFolderName(identity);
    if (!name) return std::nullopt;
    return *folder + L"\\Identities\\" + *name;
}

std::optional<std::wstring> PocoAttachFolder(const Environment& env) { return PocoFolder(env, 1); }
std::optional<std::wstring> PocoMailFolder(const Environment& env) { return PocoFolder(env, 3); }

bool AddMessengerAccounts(CMyObject& item, const Environment& env) {
    UniqueKey accounts;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kPassportSettings, 0, KEY_READ, accounts.Put()) != ERROR_SUCCESS)
        return true;
    // The names first: reading each account's value must not disturb the enumeration.
    std::vector<std::wstring> names = SubkeyNames(accounts.Get());
    for (const std::wstring& name : names) {
        auto bytes = ReadRegistryRaw(HKEY_CURRENT_USER, std::wstring(kPassportSettings) + L"\\" + name,
                                     L"MessageLogPath");
        if (!bytes) continue;
        auto folder = CheckedStoredFolder(RegistryBytesToText(*bytes), env);
        if (folder) AddTarget(item, nullptr, *folder + L"\\", L"*.*", KindAllFiles);
    }
    return true;
}

}  // namespace scw::rules
