// What a rule file may delete in the system's and the user's own folders: the entries real rule
// files hold keep working, and the ones that would reach the user's or the system's files delete
// nothing (every such file is a sentinel here).
#include <gtest/gtest.h>

#include "rules/RuleGuard.h"
#include "rules/RuleSweep.h"
#include "tests/engine/EngineFixtures.h"
#include "tests/rules/RuleWorld.h"

namespace scw::test {
namespace {

using namespace scw::rules;

struct GuardWorld : RuleWorld {
    std::vector<std::wstring> traces{profile + L"\\AMD_install.log", documents + L"\\Some App.tmp",
                                     windows + L"\\setup.log", windows + L"\\System32\\PCPELog.txt"};
    std::vector<std::wstring> sentinels{
        profile + L"\\notes.log",
        profile + L"\\NTUSER.DAT",
        profile + L"\\sub\\AMD_old.log",
        documents + L"\\thesis.docx",
        documents + L"\\budget",
        documents + L"\\old.tmp",
        windows + L"\\explorer.exe",
        windows + L"\\win.ini",
        windows + L"\\System32\\kernel32.dll",
        local + L"\\App\\cache.bin",
        roaming + L"\\App\\settings.json",
    };
    GuardWorld() {
        for (const std::wstring& file : traces) WriteFileText(file);
        for (const std::wstring& file : sentinels) WriteFileText(file);
    }
};

TEST(RuleGuard, EntriesOfRealRuleFilesStillDeleteTheirOwnFilesInProtectedFolders) {
    GuardWorld world;
    const RuleGuard guard(world.env);
    const RuleEntry entry = EntryOf(
        L"FileKey1=%UserProfile%|AMD_*.log\n"
        L"FileKey2=%UserProfile%\\Documents|Some App.tmp\n"
        L"FileKey3=%WinDir%|*.log\n"
        L"FileKey4=%WinDir%\\System32|PCPELog.txt\n");
    ItemChain chain;
    RecordingRun run;
    std::vector<RuleProblem> refused;
    ScanRuleEntry(run, chain.node, entry, guard, &refused);
    EXPECT_EQ(run.traces.size(), 4u);
    EXPECT_TRUE(refused.empty()) << refused[0].message.size();
    DeleteRuleEntry(run, chain.node, entry, guard);
    EXPECT_EQ(run.tally.deleted, 4);
    EXPECT_EQ(run.tally.failed, 0);
    for (const std::wstring& file : world.traces) EXPECT_FALSE(FileExists(file)) << file.size();
    for (const std::wstring& file : world.sentinels) EXPECT_TRUE(FileExists(file)) << file.size();
}

TEST(RuleGuard, EntriesThatCouldStandForTheUsersOrTheSystemsFilesDeleteNothing) {
    GuardWorld world;
    const RuleGuard guard(world.env);
    const wchar_t* const keys[] = {
        L"FileKey1=%UserProfile%|*",
        L"FileKey1=%UserProfile%|*.*",
        L"FileKey1=%UserProfile%|*.log",
        L"FileKey1=%UserProfile%\\Documents|*.docx",
        L"FileKey1=%UserProfile%\\Documents|*",
        L"FileKey1=%UserProfile%\\Documents|bu*",
        L"FileKey1=%WinDir%|*.exe",
        L"FileKey1=%WinDir%|*.*",
        L"FileKey1=%WinDir%|explorer.exe",
        L"FileKey1=%WinDir%\\System32|*.dll",
        L"FileKey1=%UserProfile%|*.*|RECURSE",
        L"FileKey1=%UserProfile%|AMD_*.log|RECURSE",
        L"FileKey1=%SystemDrive%\\|*|REMOVESELF",
        L"FileKey1=%LocalAppData%\\..\\..|*.*|RECURSE",
        L"FileKey1=%LocalAppData%\\..|*.*|REMOVESELF",
        L"FileKey1=%UserProfile%\\*|*.*|RECURSE",
        L"FileKey1=%UserProfile%\\*\\*|*.*",
    };
    for (const wchar_t* key : keys) {
        const RuleEntry entry = EntryOf(std::wstring(key) + L"\n");
        ASSERT_EQ(entry.fileKeys.size(), 1u) << key;
        // Before anything is deleted: the guard leaves the entry nowhere to delete.
        std::vector<RuleProblem> refused;
        const std::vector<RulePlace> places = PlacesOf(entry.fileKeys[0], entry, guard, &refused);
        size_t reachable = 0;
        for (const RulePlace& place : places)
            reachable += place.folder.rfind(world.local, 0) == 0 || place.folder.rfind(world.roaming, 0) == 0;
        ASSERT_EQ(places.size(), reachable) << key;
        ItemChain chain;
        RecordingRun run;
        ScanRuleEntry(run, chain.node, entry, guard);
        DeleteRuleEntry(run, chain.node, entry, guard);
        for (const std::wstring& file : world.sentinels) EXPECT_TRUE(FileExists(file)) << key;
        for (const std::wstring& file : world.traces) EXPECT_TRUE(FileExists(file)) << key;
    }
}

TEST(RuleGuard, KeysThatHoldEverythingElseAreNeverDeletedWhole) {
    const wchar_t* const refused[] = {
        L"",
        L"Software",
        L"Software\\Classes",
        L"Software\\Classes\\.txt",
        L"Software\\Microsoft",
        L"Software\\Policies",
        L"Software\\Wow6432Node",
        L"Software\\Wow6432Node\\Classes\\CLSID",
        L"Software\\Microsoft\\Windows",
        L"Software\\Microsoft\\Windows\\CurrentVersion",
        L"Software\\Microsoft\\Windows NT\\CurrentVersion",
        L"System\\CurrentControlSet\\Services\\Tcpip",
        L"Software\\Vendor",
        L"Software\\\\Vendor\\App",
    };
    for (const wchar_t* path : refused) {
        EXPECT_FALSE(RegistryKeyMayGoWhole(HKEY_CURRENT_USER, path)) << path;
        EXPECT_FALSE(RegistryKeyMayGoWhole(HKEY_LOCAL_MACHINE, path)) << path;
    }
    EXPECT_FALSE(RegistryKeyMayGoWhole(HKEY_CLASSES_ROOT, L".txt\\OpenWithList"));
    EXPECT_FALSE(RegistryKeyMayGoWhole(HKEY_USERS, L"S-1-5-21-1\\Software\\Vendor"));
    EXPECT_FALSE(RegistryKeyMayGoWhole(HKEY_USERS, L"S-1-5-21-1_Classes\\.txt\\OpenWithList"));

    EXPECT_TRUE(RegistryKeyMayGoWhole(HKEY_CURRENT_USER, L"Software\\Vendor\\App"));
    EXPECT_TRUE(
        RegistryKeyMayGoWhole(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"));
    EXPECT_TRUE(RegistryKeyMayGoWhole(HKEY_LOCAL_MACHINE, L"Software\\Wow6432Node\\Vendor\\App"));
    EXPECT_TRUE(
        RegistryKeyMayGoWhole(HKEY_CLASSES_ROOT, L"Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache"));
    EXPECT_TRUE(RegistryKeyMayGoWhole(HKEY_USERS, L"S-1-5-21-1\\Software\\Vendor\\App"));
}

}  // namespace
}  // namespace scw::test
