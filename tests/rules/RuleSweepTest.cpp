// Rule entries scanned and deleted on a planted world: every profile of a browser, exclusions,
// REMOVESELF, registry keys and values, and links that lead out of a cache.
#include <gtest/gtest.h>

#include <algorithm>

#include "rules/RuleGuard.h"
#include "rules/RuleSweep.h"
#include "tests/engine/EngineFixtures.h"
#include "tests/rules/RuleWorld.h"

namespace scw::test {
namespace {

using namespace scw::rules;

std::vector<std::wstring> Found(const RecordingRun& run) {
    std::vector<std::wstring> found;
    for (const RecordedTrace& trace : run.traces) found.push_back(trace.location + trace.name);
    std::sort(found.begin(), found.end());
    return found;
}

TEST(RuleSweep, EveryProfilesCacheGoesWhileBookmarksExclusionsAndWhatALinkReachesStay) {
    RuleWorld world;
    const std::wstring data = world.local + L"\\Google\\Chrome\\User Data\\";
    const std::vector<std::wstring> traces{
        data + L"Default\\Cache\\data_0",   data + L"Default\\Cache\\index\\f_000001", data + L"Default\\Cookies",
        data + L"Profile 1\\Cache\\data_1", data + L"Profile 1\\Cookies-journal",
    };
    const std::vector<std::wstring> sentinels{
        data + L"Default\\Bookmarks",      data + L"Default\\Extensions\\abc\\manifest.json",
        data + L"Default\\Cache\\keep.me", data + L"System Profile\\Cache\\data_9",
        data + L"Profile 1\\Login Data",   world.documents + L"\\letter.docx",
    };
    for (const std::wstring& file : traces) WriteFileText(file);
    for (const std::wstring& file : sentinels) WriteFileText(file);
    const bool linked = MakeFolderLink(data + L"Default\\Cache\\docs", world.documents);

    const RuleEntry entry = EntryOf(
        L"FileKey1=%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache|*.*|RECURSE\n"
        L"FileKey2=%LocalAppData%\\Google\\Chrome\\User Data\\*|Cookies;Cookies-journal\n"
        L"ExcludeKey1=FILE|%LocalAppData%\\Google\\Chrome\\User Data\\Default\\Cache\\|keep.me\n"
        L"ExcludeKey2=PATH|%LocalAppData%\\Google\\Chrome\\User Data\\System Profile\\\n");
    const RuleGuard guard(world.env);
    ItemChain chain;
    RecordingRun run;
    ScanRuleEntry(run, chain.node, entry, guard);
    std::vector<std::wstring> expected = traces;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Found(run), expected);

    DeleteRuleEntry(run, chain.node, entry, guard);
    EXPECT_EQ(run.tally.deleted, static_cast<long>(traces.size()));
    EXPECT_EQ(run.tally.failed, 0);
    for (const std::wstring& file : traces) EXPECT_FALSE(FileExists(file));
    for (const std::wstring& file : sentinels) EXPECT_TRUE(FileExists(file));
    if (linked) {
        EXPECT_TRUE(::GetFileAttributesW((data + L"Default\\Cache\\docs").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
        RemoveFolderLink(data + L"Default\\Cache\\docs");
    }
}

TEST(RuleSweep, RemoveSelfTakesTheEmptiedFoldersButNeverOneThatStillHoldsSomething) {
    RuleWorld world;
    const std::wstring logs = world.roaming + L"\\App\\Logs\\";
    WriteFileText(logs + L"a.log");
    WriteFileText(logs + L"old\\b.log");
    WriteFileText(logs + L"keep\\k.txt");
    MakeFolders(logs + L"deeper\\empty\\");
    WriteFileText(world.roaming + L"\\App\\settings.json");
    const RuleGuard guard(world.env);
    ItemChain chain;
    RecordingRun run;

    const RuleEntry kept = EntryOf(
        L"FileKey1=%AppData%\\App\\Logs|*|REMOVESELF\n"
        L"ExcludeKey1=FILE|%AppData%\\App\\Logs\\keep\\|k.txt\n");
    DeleteRuleEntry(run, chain.node, kept, guard);
    EXPECT_EQ(run.tally.deleted, 2);
    EXPECT_FALSE(FolderExists(logs + L"old"));
    EXPECT_FALSE(FolderExists(logs + L"deeper"));
    EXPECT_TRUE(FileExists(logs + L"keep\\k.txt"));

    // A link in the folder is something it holds: the folder stays, the link's target too.
    WriteFileText(world.documents + L"\\mine.txt");
    const bool linked = MakeFolderLink(logs + L"keep\\docs", world.documents);
    const RuleEntry all = EntryOf(L"FileKey1=%AppData%\\App\\Logs|*.*|REMOVESELF\n");
    DeleteRuleEntry(run, chain.node, all, guard);
    EXPECT_FALSE(FileExists(logs + L"keep\\k.txt"));
    EXPECT_TRUE(FileExists(world.documents + L"\\mine.txt"));
    EXPECT_EQ(FolderExists(logs), linked);
    if (linked) RemoveFolderLink(logs + L"keep\\docs");
    DeleteRuleEntry(run, chain.node, all, guard);
    EXPECT_FALSE(FolderExists(logs));
    EXPECT_TRUE(FileExists(world.roaming + L"\\App\\settings.json"));
}

TEST(RuleSweep, RegistryKeysGoWholeOrByValueAndAnExcludedChildKeepsItsParent) {
    TestKey key(HKEY_CURRENT_USER, L"rules");
    const std::wstring recent = key.Path() + L"\\App\\Recent";
    const std::wstring settings = key.Path() + L"\\App\\Settings";
    SetRegString(HKEY_CURRENT_USER, recent, L"a", L"1");
    SetRegString(HKEY_CURRENT_USER, recent + L"\\Pinned", L"p", L"1");
    SetRegString(HKEY_CURRENT_USER, recent + L"\\Other", L"o", L"1");
    SetRegString(HKEY_CURRENT_USER, settings, L"LastFolder", L"C:\\x");
    SetRegString(HKEY_CURRENT_USER, settings, L"Keep", L"1");
    const RuleEntry entry = EntryOf(L"RegKey1=HKCU\\" + recent + L"\nRegKey2=HKEY_CURRENT_USER\\" + settings +
                                    L"|LastFolder\nExcludeKey1=REG|HKCU\\" + recent + L"\\Pinned\n");
    RuleWorld world;
    const RuleGuard guard(world.env);
    ItemChain chain;
    RecordingRun run;
    ScanRuleEntry(run, chain.node, entry, guard);
    EXPECT_EQ(Found(run), (std::vector<std::wstring>{L"HKEY_CURRENT_USER\\" + recent + L"\\Othero",
                                                     L"HKEY_CURRENT_USER\\" + recent + L"a",
                                                     L"HKEY_CURRENT_USER\\" + settings + L"LastFolder"}));
    DeleteRuleEntry(run, chain.node, entry, guard);
    EXPECT_EQ(run.tally.failed, 0);
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, recent, L"a"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, recent + L"\\Other"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, recent + L"\\Pinned", L"p"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, settings, L"LastFolder"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, settings, L"Keep"));

    // Without the exclusion the key goes whole.
    DeleteRuleEntry(run, chain.node, EntryOf(L"RegKey1=HKCU\\" + recent + L"\n"), guard);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, recent));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, settings));
}

}  // namespace
}  // namespace scw::test
