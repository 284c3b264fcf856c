// Folder targets against real files in test folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/OverwriteDelete.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"
#include "tests/engine/EngineFixtures.h"

namespace scw::test {
namespace {

using Deletions = std::vector<std::pair<bool, DWORD>>;

class FolderSweep : public ::testing::Test {
protected:
    TempFolder temp{L"sweep"};
    ItemChain chain;
    RecordingRun run;
    std::wstring Root() const { return temp / L"target\\"; }
    void Target(TargetKind kind, const std::wstring& name = L"*.*") {
        ASSERT_TRUE(AddTarget(chain.node, nullptr, Root(), name, kind));
    }
};

TEST_F(FolderSweep, AllFilesKindListsTheTreeAndItsDeleteRemovesFilesThenFoldersThenItself) {
    WriteFileText(Root() + L"a.txt");
    WriteFileText(Root() + L"sub\\b.txt");
    Target(KindAllFiles);

    ScanTargets(run, chain.node);
    ASSERT_EQ(run.traces.size(), 2u);
    std::sort(run.traces.begin(), run.traces.end(), [](auto& a, auto& b) { return a.name < b.name; });
    EXPECT_EQ(run.traces[0].name, L"a.txt");
    EXPECT_EQ(run.traces[0].location, Root());
    EXPECT_EQ(run.traces[1].location, Root() + L"sub\\");
    EXPECT_FALSE(run.traces[1].isRegistry);
    EXPECT_EQ(chain.category.traceCount, 2);

    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (Deletions{{true, 0}, {true, 0}}));
    EXPECT_FALSE(FolderExists(Root()));
    EXPECT_TRUE(FolderExists(temp.Path()));
}

TEST_F(FolderSweep, UnlistedKindReportsNothingButItsDeleteEmptiesTheFolder) {
    WriteFileText(Root() + L"a.log");
    WriteFileText(Root() + L"deep\\er\\b.log");
    Target(KindUnlisted);
    ScanTargets(run, chain.node);
    EXPECT_TRUE(run.traces.empty());
    EXPECT_EQ(chain.node.traceCount, 0);
    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.tally.deleted, 2);
    EXPECT_FALSE(FolderExists(Root()));
}

TEST_F(FolderSweep, ExactNameMatchesLetterCaseInSubfoldersAndItsDeleteTakesOnlyTheOwnFolderFile) {
    WriteFileText(Root() + L"history.dat");
    WriteFileText(Root() + L"History.dat.old");
    WriteFileText(Root() + L"profile\\history.dat");
    WriteFileText(Root() + L"other\\HISTORY.DAT");
    Target(KindExactName, L"history.dat");

    ScanTargets(run, chain.node);
    std::vector<std::wstring> locations;
    for (auto& t : run.traces) locations.push_back(t.location);
    std::sort(locations.begin(), locations.end());
    EXPECT_EQ(locations, (std::vector<std::wstring>{Root(), Root() + L"profile\\"}));

    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (Deletions{{true, 0}}));
    EXPECT_FALSE(FileExists(Root() + L"history.dat"));
    EXPECT_TRUE(FileExists(Root() + L"profile\\history.dat"));
    EXPECT_TRUE(FileExists(Root() + L"other\\HISTORY.DAT"));
    EXPECT_TRUE(FolderExists(Root()));
}

TEST_F(FolderSweep, ExtensionKindDeletesExactlyTheFilesItsScanLists) {
    WriteFileText(Root() + L"a.txt");
    WriteFileText(Root() + L"a.txt.bak");
    WriteFileText(Root() + L"txt");
    WriteFileText(Root() + L"sub\\c.txt");
    Target(KindExtension, L".txt");

    ScanTargets(run, chain.node);
    auto names = run.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.txt", L"c.txt"}));

    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (Deletions{{true, 0}, {true, 0}}));
    EXPECT_FALSE(FileExists(Root() + L"a.txt"));
    EXPECT_FALSE(FileExists(Root() + L"sub\\c.txt"));
    EXPECT_TRUE(FileExists(Root() + L"a.txt.bak"));
    EXPECT_TRUE(FileExists(Root() + L"txt"));
    EXPECT_TRUE(FolderExists(Root() + L"sub\\"));
}


TEST_F(FolderSweep, FileHeldOpenIsReportedFailedAndQueuedForDeletionAtRestart) {
    std::wstring held = Root() + L"held.dat";
    WriteFileText(held);
    WriteFileText(Root() + L"free.dat");
    UniqueFileHandle handle(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(handle);
    Target(KindAllFiles);

    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.tally.deleted, 1);
    EXPECT_EQ(run.tally.failed, 1);
    EXPECT_TRUE(FileExists(held));
    EXPECT_FALSE(FileExists(Root() + L"free.dat"));
    EXPECT_TRUE(TakePendingRename(held));
}

TEST_F(FolderSweep, ToBeOverwrittenAFileHeldOpenFailsAndIsNotLeftForAPlainDeleteAtRestart) {
    std::wstring held = Root() + L"held.dat";
    WriteFileText(held, "held");
    WriteFileText(Root() + L"free.dat", "free");
    UniqueFileHandle handle(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(handle);
    Target(KindAllFiles);
    SetOverwriteBeforeDelete(true);
    DeleteTargets(run, chain.node);
    SetOverwriteBeforeDelete(false);
    EXPECT_EQ(run.tally.deleted, 1);
    EXPECT_EQ(run.tally.failed, 1);
    EXPECT_EQ(ReadFileText(held), "held");
    EXPECT_FALSE(FileExists(Root() + L"free.dat"));
    EXPECT_FALSE(TakePendingRename(held));
}

TEST_F(FolderSweep, StopEventSetInsideALargeFolderEndsTheWalkAtTheNextEntry) {
    for (int i = 0; i < 300; ++i) WriteFileText(Root() + L"f" + std::to_wstring(i) + L".tmp");
    WriteFileText(Root() + L"sub\\g.tmp");
    Target(KindAllFiles);
    Target(KindAllFiles);
    run.stopAfter = 1;
    ScanTargets(run, chain.node);
    EXPECT_EQ(run.traces.size(), 1u);
    EXPECT_EQ(chain.node.currentTarget, 0);
    EXPECT_EQ(chain.node.scanState, ScanDone);
}

TEST_F(FolderSweep, PathsOverTheLimitAreSkippedNotCut) {
    // A folder whose path is 250 characters, holding a short and an over-long file name.
    std::wstring deep = Root();
    while (deep.size() < 240) deep += L"dddddddddd\\";
    MakeFolders(deep);
    std::wstring shortFile = deep + L"s";
    std::wstring longFile = deep + std::wstring(30, L'L');
    WriteFileText(shortFile);
    {
        UniqueFileHandle h(CreateFileW((L"\\\\?\\" + longFile).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(h);
    }
    Target(KindAllFiles);
    ScanTargets(run, chain.node);
    EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"s"}));
    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (Deletions{{true, 0}}));
    EXPECT_TRUE(DeleteFileW((L"\\\\?\\" + longFile).c_str()));
}

// Takes a file away between the delete's listing and its delete of that file, as another program can.
class VanishingRun : public RecordingRun {
public:
    std::vector<std::wstring> vanishing;
    void ReportDeletion(bool success, DWORD number) override {
        RecordingRun::ReportDeletion(success, number);
        for (const auto& path : vanishing) DeleteFileW(path.c_str());
    }
};

TEST_F(FolderSweep, FileGoneBeforeItsDeleteIsNeitherFailedNorQueuedForRestart) {
    WriteFileText(Root() + L"a.tmp");
    WriteFileText(Root() + L"b.tmp");
    WriteFileText(temp / L"sentinel.txt");
    Target(KindAllFiles);
    VanishingRun vanishing;
    // Whichever goes first, the other is then gone from under the delete.
    vanishing.vanishing = {Root() + L"a.tmp", Root() + L"b.tmp"};
    DeleteTargets(vanishing, chain.node);
    EXPECT_EQ(vanishing.deletions, (Deletions{{true, 0}}));
    EXPECT_FALSE(TakePendingRename(Root() + L"b.tmp"));
    EXPECT_FALSE(TakePendingRename(Root() + L"a.tmp"));
    EXPECT_TRUE(FileExists(temp / L"sentinel.txt"));
}

TEST_F(FolderSweep, FileOfExactlyTheLengthLimitIsListedAndDeletedAlike) {
    std::wstring deep = Root();
    while (deep.size() < 230) deep += L"dddddddddd\\";
    std::wstring atLimit = deep + std::wstring(kMaxPathChars - deep.size(), L'n');
    ASSERT_EQ(atLimit.size(), kMaxPathChars);
    WriteFileText(atLimit);
    WriteFileText(temp / L"sentinel.txt");
    Target(KindAllFiles);
    ScanTargets(run, chain.node);
    EXPECT_EQ(run.traces.size(), 1u);
    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (Deletions{{true, 0}}));
    EXPECT_FALSE(FileExists(atLimit));
    EXPECT_TRUE(FileExists(temp / L"sentinel.txt"));
}

}  // namespace
}  // namespace scw::test
