// Deleting one listed trace, and the history clearing of the visited-sites item.
#include <gtest/gtest.h>

#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"
#include "tests/engine/EngineFixtures.h"

namespace scw::test {
namespace {

using Row = FakeTraceList::Row;

TEST(ListedTrace, FileRowIsDeletedAndRemovedButStaysWhenTheFileWillNotGo) {
    TempFolder temp(L"listed");
    WriteFileText(temp / L"a.txt");
    WriteFileText(temp / L"held.txt");
    FakeTraceList list;
    list.rows = {Row{{L"Item", L"a.txt", temp.Path()}, 0, false}, Row{{L"Item", L"held.txt", temp.Path()}, 0, true}};
    FakeTraceList unselected;
    unselected.rows = {Row{{L"Item", L"a.txt", temp.Path()}, 0, false}};
    EXPECT_FALSE(DeleteListedTrace(unselected));

    UniqueFileHandle held(CreateFileW((temp / L"held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(DeleteListedTrace(list));
    EXPECT_EQ(list.rows.size(), 2u);
    held.Reset();
    EXPECT_TRUE(DeleteListedTrace(list));
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_FALSE(FileExists(temp / L"held.txt"));
    EXPECT_TRUE(FileExists(temp / L"a.txt"));

    // A file already gone (another program removed it) was not left behind: its row goes too.
    WriteFileText(temp / L"keep.txt");
    ASSERT_TRUE(DeleteFileW((temp / L"a.txt").c_str()));
    list.rows[0].selected = true;
    EXPECT_TRUE(DeleteListedTrace(list));
    EXPECT_TRUE(list.rows.empty());
    EXPECT_TRUE(FileExists(temp / L"keep.txt"));
}

TEST(ListedTrace, RegistryRowNamesItsRootByAnyOfTheFiveNamesAndStaysWhileItsValueStays) {
    TestKey key;
    SetRegString(HKEY_CURRENT_USER, key.Path(), L"v", L"1");
    SetRegString(HKEY_CURRENT_USER, key.Path(), L"keep", L"1");
    FakeTraceList list;
    list.rows = {Row{{L"Item", L"v", L"HKEY_CURRENT_USER\\" + key.Path()}, 1, true}};
    EXPECT_TRUE(DeleteListedTrace(list));
    EXPECT_TRUE(list.rows.empty());
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, key.Path(), L"v"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, key.Path(), L"keep"));

    // The machine root, redirected to a test key inside this process.
    TestKey machine;
    UniqueKey handle;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, machine.Path().c_str(), 0, KEY_ALL_ACCESS, handle.Put()));
    SetRegString(HKEY_CURRENT_USER, machine.Path() + L"\\SOFTWARE\\Q", L"Recent", L"x");
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, handle.Get());
    list.rows = {Row{{L"Item", L"Recent", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Q"}, 1, true},
                 Row{{L"Item", L"keep", L"HKEY_NOWHERE\\" + key.Path()}, 1, true}};
    EXPECT_TRUE(DeleteListedTrace(list));
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, machine.Path() + L"\\SOFTWARE\\Q", L"Recent"));
    // An unknown root deletes nothing, so the row stays.
    EXPECT_FALSE(DeleteListedTrace(list));
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, key.Path(), L"keep"));

    // A value already gone is not left behind: its row goes.
    list.rows = {Row{{L"Item", L"gone", L"HKEY_CURRENT_USER\\" + key.Path()}, 1, true}};
    EXPECT_TRUE(DeleteListedTrace(list));
    EXPECT_TRUE(list.rows.empty());

    // A value this user may not delete stays, and so does its row.
    ASSERT_TRUE(DenyWrites(HKEY_CURRENT_USER, key.Path(), true));
    list.rows = {Row{{L"Item", L"keep", L"HKEY_CURRENT_USER\\" + key.Path()}, 1, true}};
    UniqueKey probe;
    bool enforced = RegOpenKeyExW(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_SET_VALUE, probe.Put()) != ERROR_SUCCESS;
    if (enforced) {
        EXPECT_FALSE(DeleteListedTrace(list));
        EXPECT_EQ(list.rows.size(), 1u);
    }
    DenyWrites(HKEY_CURRENT_USER, key.Path(), false);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, key.Path(), L"keep"));
}

TEST(VisitedSites, HistoryObjectIsAskedToClearAndTheFolderIsEmptiedEvenWhenItFails) {
    // The object must exist; whether its clearing works depends on the system.
    EXPECT_NE(ClearUrlHistory(), REGDB_E_CLASSNOTREG);
    TempFolder temp(L"history");
    WriteFileText(temp / L"History\\visit.dat");
    ItemChain chain(130, L"History (Visited sites)");
    AddTarget(chain.node, nullptr, temp / L"History\\", L"*.*", KindAllFiles);
    RecordingRun run;
    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.tally.deleted, 1);
    EXPECT_FALSE(FolderExists(temp / L"History\\"));
}

}  // namespace
}  // namespace scw::test
