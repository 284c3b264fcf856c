// Target collection: the Windows items, the resolvers and the limits.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "engine/Registry.h"
#include "engine/Resolvers.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "engine/catalogue/WindowsCode.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"
#include "tests/engine/EngineFixtures.h"

namespace scw::test {
namespace {

struct Expected {
    std::wstring path;
    std::wstring name;
    TargetKind kind;
    bool operator==(const TraceTarget& t) const { return t.path == path && t.name == name && t.kind == kind; }
};

std::vector<TraceTarget> Collect(UINT id, const Environment& env) {
    ItemChain chain(id);
    CollectTargets(chain.node, env);
    return chain.node.targets;
}

// Redirects HKEY_LOCAL_MACHINE of this process to a test key for the object's lifetime.
class MachineKeyRedirect {
public:
    MachineKeyRedirect() {
        RegCreateKeyExW(HKEY_CURRENT_USER, key_.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle_.Put(),
                        nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, handle_.Get());
    }
    ~MachineKeyRedirect() { RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr); }
    const std::wstring& Path() const { return key_.Path(); }

private:
    TestKey key_;
    UniqueKey handle_;
};

const wchar_t kMemory[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

void SetPagingFiles(const std::wstring& first) {
    std::wstring multi = first + L'\0' + L"E:\\second.sys 1 2" + L'\0' + L'\0';
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMemory, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExW(key, L"PagingFiles", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi.data()),
                   static_cast<DWORD>(multi.size() * sizeof(wchar_t)));
    RegCloseKey(key);
}

TEST(WindowsTargets, RecycleBinsOfFixedDrivesOnlyInDriveOrder) {
    OverrideEnvironment env;
    env.AddDrive(L"C:\\", DRIVE_FIXED);
    env.AddDrive(L"D:\\", DRIVE_FIXED);
    env.AddDrive(L"E:\\", DRIVE_CDROM);
    auto targets = Collect(107, env);
    ASSERT_EQ(targets.size(), 4u);
    EXPECT_EQ(Expected({L"C:\\RECYCLER\\", L"*.*", KindAllFiles}), targets[0]);
    EXPECT_EQ(Expected({L"C:\\Recycled\\", L"*.*", KindAllFiles}), targets[1]);
    EXPECT_EQ(Expected({L"D:\\RECYCLER\\", L"*.*", KindAllFiles}), targets[2]);
    EXPECT_EQ(Expected({L"D:\\Recycled\\", L"*.*", KindAllFiles}), targets[3]);

    // Beyond thirteen drives every drive still gets both of its folders.
    OverrideEnvironment many;
    for (wchar_t d = L'C'; d <= L'Z'; ++d) many.AddDrive(std::wstring(1, d) + L":\\", DRIVE_FIXED);
    EXPECT_EQ(Collect(107, many).size(), 48u);
    OverrideEnvironment none;
    none.ClearDrives();
    EXPECT_TRUE(Collect(107, none).empty());
}

TEST(WindowsTargets, PagingFilesValueGivesItsFolderAndNameOrNothing) {
    auto c = rules::ParsePagingFiles(L"C:\\pagefile.sys 1536 3072");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->folder, L"C:\\");
    EXPECT_EQ(c->name, L"pagefile.sys");
    auto d = rules::ParsePagingFiles(L"D:\\swap\\pagefile.sys 512 1024");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->folder, L"D:\\swap\\");
    EXPECT_EQ(d->name, L"pagefile.sys");
    auto whole = rules::ParsePagingFiles(L"D:\\swap\\page file");
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->folder, L"D:\\swap\\");
    EXPECT_EQ(whole->name, L"page");
    auto noBlank = rules::ParsePagingFiles(L"D:\\swap\\pagefile.sys");
    ASSERT_TRUE(noBlank);
    EXPECT_EQ(noBlank->name, L"pagefile.sys");
    EXPECT_FALSE(rules::ParsePagingFiles(L"pagefile.sys 1 2"));
    EXPECT_FALSE(rules::ParsePagingFiles(L"C:\\ 1 2"));
    EXPECT_FALSE(rules::ParsePagingFiles(L""));

    MachineKeyRedirect redirect;
    EXPECT_TRUE(Collect(111, SystemEnv()).empty());
    SetPagingFiles(L"C:\\pagefile.sys 1536 3072");
    auto targets = Collect(111, SystemEnv());
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(Expected({L"C:\\", L"pagefile.sys", KindExactName}), targets[0]);
    EXPECT_FALSE(targets[0].IsRegistry());
    SetPagingFiles(L"pagefile.sys 1536 3072");
    EXPECT_TRUE(Collect(111, SystemEnv()).empty());
}

class WindowsItems : public ::testing::Test {
protected:
    WindowsItems() {
        env.SetKnownFolder(CSIDL_RECENT, temp / L"Recent");
        env.SetKnownFolder(CSIDL_WINDOWS, temp / L"Win");
        env.SetKnownFolder(CSIDL_CDBURN_AREA, temp / L"Burn");
        env.SetKnownFolder(CSIDL_PROFILE, temp / L"Profile");
        env.SetWindowsFolder(temp / L"WinDir");
        env.SetVariable(L"TEMP", temp / L"Tmp");
        env.AddDrive(L"C:\\", DRIVE_FIXED);
    }
    TempFolder temp{L"items"};
    OverrideEnvironment env;
};

TEST_F(WindowsItems, EveryItemGetsItsTargetsInOrder) {
    const std::wstring explorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
    auto t104 = Collect(104, env);
    ASSERT_EQ(t104.size(), 2u);
    EXPECT_EQ(t104[0].root, HKEY_CURRENT_USER);
    EXPECT_EQ(t104[0].rootPrefix, L"HKEY_CURRENT_USER\\");
    EXPECT_EQ(Expected({explorer + L"\\RecentDocs", L"*.*", KindUnlisted}), t104[0]);
    EXPECT_EQ(Expected({temp / L"Recent\\", L"*.*", KindAllFiles}), t104[1]);
    EXPECT_EQ(Expected({temp / L"Tmp\\", L"*.*", KindAllFiles}), Collect(106, env).at(0));
    auto t110 = Collect(110, env);
    ASSERT_EQ(t110.size(), 2u);
    EXPECT_EQ(Expected({temp / L"Win\\", L"setupapi.log", KindExactName}), t110[0]);
    EXPECT_EQ(Expected({temp / L"Win\\", L"DirectX.log", KindExactName}), t110[1]);
    EXPECT_EQ(Expected({temp / L"WinDir\\temp\\", L"*.*", KindUnlisted}), Collect(112, env).at(0));
    // The profile folder is the user's profile itself on every system.
    EXPECT_EQ(Expected({temp / L"Profile\\UserData\\", L"*.*", KindUnlisted}), Collect(116, env).at(0));
    EXPECT_EQ(Expected({temp / L"Burn\\", L"*.*", KindUnlisted}), Collect(118, env).at(0));
    auto t119 = Collect(119, env);
    ASSERT_EQ(t119.size(), 3u);
    EXPECT_EQ(t119[0].rootPrefix, L"HKEY_LOCAL_MACHINE\\");
    EXPECT_EQ(t119[1].name, L"AltDefaultUserName");
    EXPECT_EQ(Expected({explorer, L"Logon User Name", KindPlain}), t119[2]);
    EXPECT_EQ(Expected({temp / L"WinDir\\Debug\\", L"*.*", KindUnlisted}), Collect(120, env).at(0));

    const std::pair<UINT, size_t> counts[] = {{105, 1}, {108, 1}, {109, 2}, {113, 1}, {114, 0}, {115, 0},
                                              {117, 0}, {121, 1}, {122, 1}, {123, 1}, {124, 0}, {125, 1},
                                              {126, 1}, {107, 2}};
    for (auto [id, count] : counts) EXPECT_EQ(Collect(id, env).size(), count) << id;
    EXPECT_EQ(Collect(125, env).at(0).name, L"lastkey");
    EXPECT_EQ(Collect(109, env).at(1).path, explorer + L"\\MenuOrder\\Start Menu2");
}

TEST_F(WindowsItems, FailedResolutionKeepsEarlierTargetsAndAddsNoMore) {
    env.SetKnownFolder(CSIDL_RECENT, std::nullopt);
    env.SetKnownFolder(CSIDL_WINDOWS, std::nullopt);
    env.SetVariable(L"TEMP", std::nullopt);
    env.SetKnownFolder(CSIDL_PROFILE, std::nullopt);
    auto t104 = Collect(104, env);
    ASSERT_EQ(t104.size(), 1u);
    EXPECT_TRUE(t104[0].IsRegistry());
    EXPECT_TRUE(Collect(106, env).empty());
    EXPECT_TRUE(Collect(110, env).empty());
    EXPECT_TRUE(Collect(116, env).empty());
    // A base too long to hold is a failure too, never a cut path.
    env.SetVariable(L"TEMP", L"C:\\" + std::wstring(260, L'a'));
    EXPECT_TRUE(Collect(106, env).empty());
}

TEST(Resolvers, ProfileAndLocalMicrosoftFoldersAreTheUsersOwnOnThisSystem) {
    wchar_t profile[MAX_PATH], local[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile));
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local));
    EXPECT_EQ(ResolveProfileFolder(SystemEnv()), std::wstring(profile) + L"\\");
    EXPECT_EQ(ResolveLocalMicrosoft(SystemEnv()), std::wstring(local) + L"\\Microsoft\\");
}

class IniResolvers : public ::testing::Test {
protected:
    IniResolvers() { env.SetKnownFolder(CSIDL_APPDATA, temp / L"AppData"); }
    void Profiles(const std::string& content) { WriteFileText(temp / L"AppData\\Mozilla\\Firefox\\profiles.ini", content); }
    std::optional<std::wstring> Firefox() { return ReadProfileFolder(env, L"\\Mozilla\\Firefox\\"); }
    void Poco(const std::string& content) { WriteFileText(temp / L"AppData\\PocoMail\\poco.ini", content); }
    TempFolder temp{L"ini"};
    OverrideEnvironment env;
};

TEST_F(IniResolvers, ProfileFolderIsTheRelativeFirstProfileOrNothing) {
    EXPECT_FALSE(Firefox());
    Profiles("[Profile0]\r\nName=default\r\nPath=Profiles/x1y2.default\r\n");
    EXPECT_EQ(Firefox(), L"x1y2.default\\");
    Profiles("[Profile1]\r\nPath=Profiles/x1y2.default\r\n");
    EXPECT_FALSE(Firefox());
    const char* refused[] = {
        "Path=C:\\Users\\me\\firefox",  "Path=Profiles/",        "Path=Profiles/../..",
        "Path=Profiles/a/../../b",      "Path=Profiles/C:\\x",   "Path=",
        "Path=Profiles//x",
    };
    for (const char* line : refused) {
        Profiles(std::string("[Profile0]\r\n") + line + "\r\n");
        EXPECT_FALSE(Firefox()) << line;
    }
    // 64 characters do not fit the 63 a profile path may have: refused, not cut.
    Profiles("[Profile0]\r\nPath=Profiles/" + std::string(55, 'p') + "\r\n");
    EXPECT_FALSE(Firefox());
    Profiles("[Profile0]\r\nPath=Profiles/" + std::string(54, 'p') + "\r\n");
    EXPECT_EQ(Firefox(), std::wstring(54, L'p') + L"\\");
    env.SetKnownFolder(CSIDL_APPDATA, std::nullopt);
    EXPECT_FALSE(Firefox());
}

TEST_F(IniResolvers, PocoMailPathIsTakenAsAbsoluteOrAppendedToItsFolder) {
    EXPECT_FALSE(ReadPocoMailPath(env, 3));
    Poco("[Program]\r\nMailPath=D:\\Mail\\\r\n[Mail]\r\nAttachPath=Attach\\\r\n");
    EXPECT_EQ(ReadPocoMailPath(env, 3), L"D:\\Mail\\");
    EXPECT_EQ(ReadPocoMailPath(env, 1), temp / L"AppData\\PocoMail\\Attach\\");
    Poco("[Program]\r\nMailPath=\r\n");
    EXPECT_FALSE(ReadPocoMailPath(env, 3));
    EXPECT_FALSE(ReadPocoMailPath(env, 1));
}

TEST(AddTarget, FillsTheRootPrefixAndRefusesWhatDoesNotFit) {
    ItemChain chain;
    EXPECT_TRUE(AddTarget(chain.node, HKEY_LOCAL_MACHINE, L"SOFTWARE\\X", L"v", KindPlain));
    EXPECT_TRUE(AddTarget(chain.node, nullptr, L"C:\\x\\", L"*.*", KindAllFiles));
    EXPECT_FALSE(AddTarget(chain.node, nullptr, L"C:\\" + std::wstring(257, L'x') + L"\\", L"*.*", KindAllFiles));
    EXPECT_FALSE(AddTarget(chain.node, nullptr, L"C:\\x\\", std::wstring(260, L'n'), KindExactName));
    ASSERT_EQ(chain.node.TargetCount(), 2);
    EXPECT_EQ(chain.node.targets[0].rootPrefix, L"HKEY_LOCAL_MACHINE\\");
    EXPECT_EQ(chain.node.targets[1].rootPrefix, L"");
    EXPECT_EQ(RootPrefix(HKEY_CLASSES_ROOT), L"HKEY_CLASSES_ROOT\\");
    EXPECT_EQ(RootPrefix(HKEY_CURRENT_CONFIG), L"HKEY_CURRENT_CONFIG\\");
    EXPECT_EQ(RootPrefix(HKEY_PERFORMANCE_DATA), L"");
    CollectTargets(chain.node, SystemEnv());  // an ID without a rule
    EXPECT_EQ(chain.node.TargetCount(), 0);
}

}  // namespace
}  // namespace scw::test

namespace scw::test {
namespace {

// Redirects HKEY_CURRENT_USER of this process to a fresh test key while it lives.
class UserKeyRedirect {
public:
    UserKeyRedirect() {
        RegCreateKeyExW(HKEY_CURRENT_USER, key_.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle_.Put(),
                        nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, handle_.Get());
    }
    ~UserKeyRedirect() { RegOverridePredefKey(HKEY_CURRENT_USER, nullptr); }

private:
    TestKey key_;
    UniqueKey handle_;
};

TEST_F(WindowsItems, DocumentHistoryListsItsRegistryValuesFirstAndDeletesKeyAndFiles) {
    WriteFileText(temp / L"Recent\\doc.lnk");
    WriteFileText(temp / L"WinDir\\temp\\setup.tmp");
    WriteFileText(temp / L"WinDir\\keep.ini");
    RecordingRun run;
    {
        UserKeyRedirect redirect;
        const std::wstring recentDocs = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
        SetRegString(HKEY_CURRENT_USER, recentDocs + L"\\.txt", L"0", L"a");
        SetRegString(HKEY_CURRENT_USER, recentDocs, L"MRUListEx", L"b");
        ItemChain documents(104);
        CollectTargets(documents.node, env);
        ScanTargets(run, documents.node, env);
        EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"0", L"MRUListEx", L"doc.lnk"}));
        EXPECT_EQ(documents.node.traceCount, 3);
        DeleteTargets(run, documents.node, env);
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, recentDocs));
        EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"));
    }
    EXPECT_FALSE(FileExists(temp / L"Recent\\doc.lnk"));

    // The Windows temp folder adds nothing to the count, yet its delete empties it.
    ItemChain windowsTemp(112);
    CollectTargets(windowsTemp.node, env);
    RecordingRun tempRun;
    ScanTargets(tempRun, windowsTemp.node, env);
    EXPECT_EQ(windowsTemp.node.traceCount, 0);
    DeleteTargets(tempRun, windowsTemp.node, env);
    EXPECT_FALSE(FileExists(temp / L"WinDir\\temp\\setup.tmp"));
    EXPECT_TRUE(FileExists(temp / L"WinDir\\keep.ini"));
}

}  // namespace
}  // namespace scw::test
