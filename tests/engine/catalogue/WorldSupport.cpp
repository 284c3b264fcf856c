#include "tests/engine/catalogue/WorldSupport.h"

#include <shlobj.h>

#include <tuple>

#include "engine/Targets.h"

namespace scw::test {

bool Found::operator<(const Found& o) const {
    return std::tie(item, location, name, isRegistry) < std::tie(o.item, o.location, o.name, o.isRegistry);
}
bool Found::operator==(const Found& o) const {
    return std::tie(item, location, name, isRegistry) == std::tie(o.item, o.location, o.name, o.isRegistry);
}

std::wstring Describe(const std::vector<Found>& rows) {
    std::wstring text;
    for (const Found& f : rows)
        text += std::to_wstring(f.item) + L" " + (f.isRegistry ? L"reg " : L"file ") + f.location + L" | " + f.name +
                L"\n";
    return text;
}

RecordingRun::RecordingRun() : stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
RecordingRun::~RecordingRun() { ::CloseHandle(stop_); }

void RecordingRun::ReportTrace(const TraceRow& row) {
    found.push_back({row.item.itemId, row.name, row.location, row.isRegistry});
    CountTrace(const_cast<CMyObject&>(row.item));
}

void RecordingRun::ReportDeletion(bool success, DWORD number) { deletions.emplace_back(success, number); }

PrivateRegistry::PrivateRegistry() {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, user_.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &userKey_,
                      nullptr);
    ::RegCreateKeyExW(HKEY_CURRENT_USER, machine_.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &machineKey_, nullptr);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, userKey_);
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, machineKey_);
}

PrivateRegistry::~PrivateRegistry() {
    // Back to the real roots first: the test keys are deleted from there.
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ::RegCloseKey(userKey_);
    ::RegCloseKey(machineKey_);
}

FixtureFolders::FixtureFolders(const std::wstring& rootFolder) : root(rootFolder) {
    std::wstring r = root;
    profile = r + L"Profile";
    appData = profile + L"\\Application Data";
    localAppData = profile + L"\\Local Settings\\Application Data";
    internetCache = profile + L"\\Local Settings\\Temporary Internet Files";
    history = profile + L"\\Local Settings\\History";
    cookies = profile + L"\\Cookies";
    favorites = profile + L"\\Favorites";
    documents = profile + L"\\My Documents";
    recent = profile + L"\\Recent";
    cdBurn = localAppData + L"\\Microsoft\\CD Burning";
    windows = r + L"Windows";
    temp = profile + L"\\Local Settings\\Temp";
    drive = r + L"Drive\\";
    cdDrive = r + L"CD\\";
    const std::pair<int, std::wstring> known[] = {
        {CSIDL_PROFILE, profile},
        {CSIDL_APPDATA, appData},
        {CSIDL_LOCAL_APPDATA, localAppData},
        {CSIDL_INTERNET_CACHE, internetCache},
        {CSIDL_HISTORY, history},
        {CSIDL_COOKIES, cookies},
        {CSIDL_FAVORITES, favorites},
        {CSIDL_PERSONAL, documents},
        {CSIDL_RECENT, recent},
        {CSIDL_CDBURN_AREA, cdBurn},
        {CSIDL_WINDOWS, windows},
        {CSIDL_SYSTEM, windows + L"\\system32"},
        {CSIDL_SYSTEMX86, windows + L"\\system32"},
        {CSIDL_PROGRAM_FILES, r + L"Program Files"},
        {CSIDL_PROGRAM_FILESX86, r + L"Program Files"},
        {CSIDL_PROGRAM_FILES_COMMON, r + L"Program Files\\Common Files"},
        {CSIDL_COMMON_APPDATA, r + L"All Users\\Application Data"},
        {CSIDL_COMMON_DOCUMENTS, r + L"All Users\\Documents"},
        {CSIDL_DESKTOPDIRECTORY, profile + L"\\Desktop"},
        {CSIDL_COMMON_DESKTOPDIRECTORY, r + L"All Users\\Desktop"},
        {CSIDL_MYMUSIC, documents + L"\\My Music"},
        {CSIDL_MYPICTURES, documents + L"\\My Pictures"},
        {CSIDL_MYVIDEO, documents + L"\\My Videos"},
    };
    for (const auto& [csidl, folder] : known) env.SetKnownFolder(csidl, folder);
    env.SetWindowsFolder(windows);
    env.SetVariable(L"TEMP", temp);
    env.AddDrive(drive, DRIVE_FIXED);
    env.AddDrive(cdDrive, DRIVE_CDROM);
}

std::vector<std::wstring> TargetsOf(UINT itemId, const Environment& env) {
    CMyObject node(nullptr, itemId, LevelItem, 0, L"item");
    CollectTargets(node, env);
    std::vector<std::wstring> lines;
    for (const TraceTarget& t : node.targets)
        lines.push_back(t.rootPrefix + t.path + L"|" + t.name + L"|" + std::to_wstring(t.kind));
    return lines;
}

void SetRegMultiString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& first) {
    std::wstring multi = first + L'\0' + L'\0';
    HKEY handle = nullptr;
    ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    ::RegSetValueExW(handle, name.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi.data()),
                     static_cast<DWORD>(multi.size() * sizeof(wchar_t)));
    ::RegCloseKey(handle);
}

void SetRegDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
    SetRegString(root, key, L"", value);
}

}  // namespace scw::test
