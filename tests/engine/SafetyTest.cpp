// What a walk must never touch: what links point to, drive roots, top folders, stored values
// that name them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "engine/FolderSafety.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "engine/catalogue/RuleTable.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"
#include "tests/engine/EngineFixtures.h"

namespace scw::test {
namespace {

TEST(Safety, LinkInsideATargetIsNeverFollowedByScanOrDelete) {
    TempFolder temp(L"links");
    std::wstring outside = temp / L"outside";
    WriteFileText(outside + L"\\sentinel.txt");
    std::wstring root = temp / L"target\\";
    WriteFileText(root + L"trace.txt");
    if (!MakeFolderLink(root + L"link", outside)) GTEST_SKIP() << "no folder links on this system";
    ASSERT_TRUE(GetFileAttributesW((root + L"link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    ItemChain chain;
    RecordingRun run;
    AddTarget(chain.node, nullptr, root, L"*.*", KindAllFiles);
    ScanTargets(run, chain.node);
    EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"trace.txt"}));

    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.tally.deleted, 1);
    EXPECT_TRUE(FileExists(outside + L"\\sentinel.txt"));
    EXPECT_FALSE(FileExists(root + L"trace.txt"));
    RemoveFolderLink(root + L"link");
}

TEST(Safety, TargetThatIsItselfALinkIsNotWalked) {
    TempFolder temp(L"links");
    std::wstring outside = temp / L"outside";
    WriteFileText(outside + L"\\sentinel.txt");
    if (!MakeFolderLink(temp / L"link", outside)) GTEST_SKIP() << "no folder links on this system";
    ItemChain chain;
    RecordingRun run;
    AddTarget(chain.node, nullptr, temp / L"link\\", L"*.*", KindAllFiles);
    ScanTargets(run, chain.node);
    DeleteTargets(run, chain.node);
    EXPECT_TRUE(run.traces.empty());
    EXPECT_TRUE(FileExists(outside + L"\\sentinel.txt"));
    RemoveFolderLink(temp / L"link");
}

TEST(Safety, GuardRefusesRootsTopFoldersAndPathsThatSpellAnotherFolder) {
    TempFolder temp(L"guard");
    OverrideEnvironment env;
    env.SetKnownFolder(CSIDL_PROFILE, temp / L"Users\\me");
    env.SetKnownFolder(CSIDL_PERSONAL, temp / L"Users\\me\\Documents");
    MakeFolders(temp / L"Users\\me\\Documents\\");
    FolderGuard guard(env);
    const std::wstring refused[] = {
        L"", L"C:\\", L"c:\\", L"D:\\", L"sub\\", L"\\sub\\", temp.Path() + L"a\\..\\", temp.Path() + L".\\",
        temp.Path() + L"a\\\\", temp.Path() + L"a.\\", temp.Path() + L"a \\", temp.Path() + L"*\\",
        temp.Path() + L"a",  // no trailing backslash
        temp / L"Users\\me\\", temp / L"USERS\\ME\\DOCUMENTS\\", temp / L"Users\\",
        L"\\\\server\\share\\", L"\\\\?\\C:\\x\\", L"C:\\windows\\", L"C:\\windows\\system32\\",
        L"C:\\Program Files\\",
    };
    for (const auto& folder : refused) EXPECT_FALSE(guard.MayWalk(folder)) << folder;
    EXPECT_TRUE(guard.MayWalk(temp / L"Users\\me\\Documents\\Old\\"));
    EXPECT_TRUE(guard.MayWalk(L"C:\\windows\\temp\\"));
}

TEST(Safety, TopFolderIsNeitherWalkedNorEmptiedButAnExactNameInItStillGoes) {
    TempFolder temp(L"top");
    OverrideEnvironment env;
    std::wstring documents = temp / L"Documents";
    env.SetKnownFolder(CSIDL_PERSONAL, documents);
    WriteFileText(documents + L"\\keep.doc");
    WriteFileText(documents + L"\\sub\\history.dat");
    WriteFileText(documents + L"\\pagefile.sys");

    ItemChain chain;
    RecordingRun run;
    AddTarget(chain.node, nullptr, documents + L"\\", L"*.*", KindAllFiles);
    AddTarget(chain.node, nullptr, documents + L"\\", L"*.*", KindUnlisted);
    AddTarget(chain.node, nullptr, documents + L"\\", L".doc", KindExtension);
    AddTarget(chain.node, nullptr, documents + L"\\", L"history.dat", KindExactName);
    AddTarget(chain.node, nullptr, documents + L"\\", L"pagefile.sys", KindExactName);
    ScanTargets(run, chain.node, env);
    // Only the folder itself is searched for an exact name there.
    EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"pagefile.sys"}));

    DeleteTargets(run, chain.node, env);
    EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{true, 0}}));
    EXPECT_TRUE(FileExists(documents + L"\\keep.doc"));
    EXPECT_TRUE(FileExists(documents + L"\\sub\\history.dat"));
    EXPECT_FALSE(FileExists(documents + L"\\pagefile.sys"));
}

TEST(Safety, RegistryHeldFolderOfADriveRootOrNothingDeletesNothing) {
    TestKey key;
    TempFolder temp(L"held");
    WriteFileText(temp / L"sentinel.txt");
    const std::wstring values[] = {L"C:\\", L"C:", L"", temp.Path().substr(0, temp.Path().size() - 1) + L"\\.."};
    for (const auto& value : values) {
        SetRegString(HKEY_CURRENT_USER, key.Path(), L"Dir", value);
        const rules::TargetRule rows[] = {
            rules::Folder(900, {rules::RegString(HKEY_CURRENT_USER, key.Path().c_str(), L"Dir"), rules::Text(L"\\")},
                          L"*.*", KindAllFiles),
        };
        ItemChain chain;
        RecordingRun run;
        rules::ApplyRules(chain.node, SystemEnv(), rows);
        // Never let a faulty guard loose on the prefix's drive.
        FolderGuard guard(SystemEnv());
        for (const auto& target : chain.node.targets) ASSERT_FALSE(guard.MayWalk(target.path)) << target.path;
        ScanTargets(run, chain.node);
        DeleteTargets(run, chain.node);
        EXPECT_TRUE(run.traces.empty()) << value;
        EXPECT_TRUE(run.deletions.empty()) << value;
    }
    EXPECT_TRUE(FileExists(temp / L"sentinel.txt"));
}

}  // namespace
}  // namespace scw::test

namespace scw::test {
namespace {

TEST(Safety, TempAndShellFoldersAreEmptiedButKept) {
    TempFolder root(L"kept");
    OverrideEnvironment env;
    env.SetVariable(L"TEMP", root / L"temp");
    env.SetKnownFolder(CSIDL_RECENT, root / L"recent");
    WriteFileText(root / L"temp\\a.tmp");
    WriteFileText(root / L"temp\\sub\\b.tmp");
    WriteFileText(root / L"recent\\doc.lnk");
    WriteFileText(root / L"other\\c.tmp");

    ItemChain chain;
    RecordingRun run;
    AddTarget(chain.node, nullptr, root / L"temp\\", L"*.*", KindAllFiles);
    AddTarget(chain.node, nullptr, root / L"recent\\", L"*.*", KindUnlisted);
    AddTarget(chain.node, nullptr, root / L"other\\", L"*.*", KindAllFiles);
    DeleteTargets(run, chain.node, env);

    EXPECT_FALSE(FileExists(root / L"temp\\a.tmp"));
    EXPECT_FALSE(FolderExists(root / L"temp\\sub"));
    EXPECT_TRUE(FolderExists(root / L"temp")) << "programs expect their TEMP folder to exist";
    EXPECT_FALSE(FileExists(root / L"recent\\doc.lnk"));
    EXPECT_TRUE(FolderExists(root / L"recent"));
    EXPECT_FALSE(FolderExists(root / L"other")) << "an ordinary target folder still goes when emptied";
}

}  // namespace
}  // namespace scw::test

namespace scw::test {
namespace {

TEST(Safety, ExactNameTargetWhoseFolderIsALinkIsNeitherListedNorDeleted) {
    TempFolder temp(L"exactlink");
    std::wstring outside = temp / L"outside";
    WriteFileText(outside + L"\\history.dat");
    if (!MakeFolderLink(temp / L"link", outside)) GTEST_SKIP() << "no folder links on this system";
    ItemChain chain;
    RecordingRun run;
    AddTarget(chain.node, nullptr, temp / L"link\\", L"history.dat", KindExactName);
    AddTarget(chain.node, nullptr, temp / L"link\\", L"*.dat", KindExactName);
    ScanTargets(run, chain.node);
    DeleteTargets(run, chain.node);
    EXPECT_TRUE(run.traces.empty());
    EXPECT_TRUE(run.deletions.empty());
    EXPECT_TRUE(FileExists(outside + L"\\history.dat"));
    RemoveFolderLink(temp / L"link");
}

// The user's real folders of this system, and what lies between them.
struct UserFolders {
    std::wstring profile, appData, local;
    std::wstring users;          // the folder holding every profile ("C:\users")
    std::wstring appDataParent;  // "AppData" below the profile (the profile itself on old systems)
    std::wstring appDataBelow;   // "AppData\Roaming" or the old name, relative to the profile
    bool Read() {
        const Environment& env = SystemEnv();
        auto p = env.KnownFolder(CSIDL_PROFILE), a = env.KnownFolder(CSIDL_APPDATA), l = env.KnownFolder(CSIDL_LOCAL_APPDATA);
        if (!p || !a || !l || a->rfind(*p + L"\\", 0) != 0) return false;
        profile = *p;
        appData = *a;
        local = *l;
        users = profile.substr(0, profile.find_last_of(L'\\'));
        appDataParent = appData.substr(0, appData.find_last_of(L'\\'));
        appDataBelow = appData.substr(profile.size() + 1);
        return true;
    }
    std::wstring AppDataParentBelow() const { return appDataBelow.substr(0, appDataBelow.find_last_of(L'\\')); }
};

TEST(Safety, GuardRefusesParentsOfTheUsersFoldersAndAliasesThatReachThemThroughLinks) {
    UserFolders user;
    ASSERT_TRUE(user.Read());
    TempFolder temp(L"alias");
    MakeFolders(user.appData + L"\\ScourwellGuard\\");
    MakeFolders(temp / L"plain\\");
    bool linked = MakeFolderLink(temp / L"me", user.profile) && MakeFolderLink(temp / L"all", user.users);

    FolderGuard guard(SystemEnv());
    std::vector<std::wstring> refused = {user.users + L"\\", user.appDataParent + L"\\", user.local + L"\\Microsoft\\"};
    if (linked)
        refused.insert(refused.end(), {temp / L"me\\", temp / L"all\\", temp / (L"me\\" + user.appDataBelow + L"\\"),
                                       temp / L"me\\" + user.AppDataParentBelow() + L"\\"});
    for (const auto& folder : refused) EXPECT_FALSE(guard.MayWalk(folder)) << folder;
    EXPECT_TRUE(guard.MayWalk(user.appData + L"\\ScourwellGuard\\"));
    EXPECT_TRUE(guard.MayWalk(temp / L"plain\\"));
    if (linked) {
        EXPECT_TRUE(guard.MayWalk(temp / L"me\\" + user.appDataBelow + L"\\ScourwellGuard\\"));
    }
    RemoveDirectoryW((user.appData + L"\\ScourwellGuard").c_str());
    RemoveFolderLink(temp / L"me");
    RemoveFolderLink(temp / L"all");
    if (!linked) GTEST_SKIP() << "no folder links on this system";
}

// A mail program's stored folder ("Path#1"), read from the registry, drives a walking delete.
TEST(Safety, StoredFolderNamingTheUsersFoldersOrAnAliasOfThemDeletesNothing) {
    UserFolders user;
    ASSERT_TRUE(user.Read());
    // The program's own key in the test prefix, gone at the end even when an assertion fails.
    struct KeyRemover {
        ~KeyRemover() { DeleteRegTree(HKEY_CURRENT_USER, L"Software\\Qualcomm"); }
    } removeKey;
    TempFolder temp(L"stored");
    const std::wstring sentinels[] = {user.appData + L"\\scw-sentinel.txt", user.local + L"\\scw-sentinel.txt",
                                      user.profile + L"\\scw-sentinel.txt"};
    for (const auto& sentinel : sentinels) WriteFileText(sentinel);
    std::vector<std::wstring> values = {user.appDataParent, user.users, user.local + L"\\Microsoft"};
    if (MakeFolderLink(temp / L"me", user.profile)) {
        values.push_back(temp / L"me");
        values.push_back(temp / L"me\\" + user.AppDataParentBelow());
    }

    FolderGuard guard(SystemEnv());
    for (const auto& value : values) {
        SetRegString(HKEY_CURRENT_USER, L"Software\\Qualcomm\\Eudora\\LaunchManager", L"Path#1", value);
        CMyObject node(nullptr, 352, LevelItem, 0, L"item");
        CollectTargets(node);
        // Never let a faulty guard loose on the prefix's own profile.
        for (const auto& target : node.targets) ASSERT_FALSE(guard.MayWalk(target.path)) << target.path;
        RecordingRun run;
        ScanTargets(run, node);
        DeleteTargets(run, node);
        EXPECT_TRUE(run.traces.empty()) << value;
        EXPECT_TRUE(run.deletions.empty()) << value;
    }
    for (const auto& sentinel : sentinels) {
        EXPECT_TRUE(FileExists(sentinel)) << sentinel;
        DeleteFileW(sentinel.c_str());
    }
    RemoveFolderLink(temp / L"me");
}

}  // namespace
}  // namespace scw::test
