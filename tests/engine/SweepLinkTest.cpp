// The sweep deletes the files it listed and nothing a link leads to: file links that show as
// plain files, folder links, folders swapped for links while the delete runs.
#include <gtest/gtest.h>

#include <functional>

#include "engine/ListedFile.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "tests/common/TestSupport.h"
#include "tests/engine/EngineFixtures.h"

namespace scw::test {
namespace {

using Row = FakeTraceList::Row;

// Runs a step once, after the first deletion is reported: the delete is then under way.
class MidRun : public RecordingRun {
public:
    std::function<void()> step;
    void ReportDeletion(bool success, DWORD number) override {
        RecordingRun::ReportDeletion(success, number);
        if (step) std::exchange(step, nullptr)();
    }
};

class SweepLinks : public ::testing::Test {
protected:
    TempFolder temp{L"sweeplink"};
    ItemChain chain;
    std::wstring Root() const { return temp / L"target\\"; }
    void TargetAll() { ASSERT_TRUE(AddTarget(chain.node, nullptr, Root(), L"*.*", KindAllFiles)); }
};

TEST_F(SweepLinks, DeleteAllRefusesAFileLinkAndLeavesWhatAFolderLinkLeadsTo) {
    WriteFileText(temp / L"precious1\\keep.txt", "precious");
    MakeFolders(temp / L"outside\\empty\\");
    WriteFileText(Root() + L"a.tmp");
    if (!MakeFileLink(Root() + L"link.tmp", temp / L"precious1\\keep.txt")) GTEST_SKIP() << "needs Wine";
    ASSERT_TRUE(MakeFolderLink(Root() + L"linked", temp / L"outside\\empty"));
    TargetAll();

    RecordingRun run;
    DeleteTargets(run, chain.node);
    // The link fails, with its reason; it is never counted as deleted.
    EXPECT_EQ(run.tally.deleted, 1);
    EXPECT_EQ(run.tally.failed, 1);
    EXPECT_EQ(DeleteListedFile(*ListingFolder(Root()) + L"link.tmp").Reason(), L"link");
    EXPECT_EQ(ReadFileText(temp / L"precious1\\keep.txt"), "precious");
    EXPECT_TRUE(FolderExists(temp / L"outside\\empty\\"));
    EXPECT_FALSE(FileExists(Root() + L"a.tmp"));
    EXPECT_FALSE(TakePendingRename(Root() + L"link.tmp"));
    RemoveFolderLink(Root() + L"linked");
}

// Both ways of swapping a folder under a running delete. Holding the folder whose files are going
// blocks the Windows way (a rename, then a link in its place); nothing blocks a rename from the
// Linux side under Wine, so there the check of each folder and file against its listed final path
// must catch it.
TEST_F(SweepLinks, AFolderSwappedForALinkDuringDeleteAllLeavesWhatTheLinkLeadsTo) {
    WriteFileText(Root() + L"a.tmp");
    WriteFileText(Root() + L"sub\\b.tmp");
    WriteFileText(temp / L"outside\\b.tmp", "precious");
    WriteFileText(temp / L"outside\\c.tmp", "precious");
    TargetAll();
    MidRun run;
    bool windowsRenameRefused = false;
    run.step = [&] {
        // The held folder: another program cannot rename it away.
        windowsRenameRefused = !::MoveFileExW((temp / L"target").c_str(), (temp / L"target-old").c_str(), 0);
        // Not yet held: a subfolder still to come, swapped from the Linux side for a link.
        if (RenameFromLinux(Root() + L"sub", temp / L"sub-old")) MakeFolderLink(Root() + L"sub", temp / L"outside");
    };
    DeleteTargets(run, chain.node);

    EXPECT_TRUE(windowsRenameRefused);
    EXPECT_EQ(ReadFileText(temp / L"outside\\b.tmp"), "precious");
    EXPECT_EQ(ReadFileText(temp / L"outside\\c.tmp"), "precious");
    if (FileExists(temp / L"sub-old\\b.tmp")) {
        EXPECT_GE(run.tally.failed, 1) << "a folder that now leads elsewhere is a failure, not a success";
        RemoveFolderLink(Root() + L"sub");
    }
}

TEST_F(SweepLinks, ASingleRowStaysWhenItsFolderWasSwappedOrItsNameIsALink) {
    WriteFileText(Root() + L"a.tmp");
    WriteFileText(temp / L"outside\\a.tmp", "precious");
    WriteFileText(temp / L"case\\Secret.txt", "secret");
    TargetAll();
    RecordingRun run;
    ScanTargets(run, chain.node);
    ASSERT_EQ(run.traces.size(), 1u);
    FakeTraceList list;
    list.rows = {Row{{L"Item", run.traces[0].name, run.traces[0].location}, 0, true}};

    if (!RenameFromLinux(temp / L"target", temp / L"target-old")) GTEST_SKIP() << "needs Wine";
    ASSERT_TRUE(MakeFolderLink(temp / L"target", temp / L"outside"));
    EXPECT_FALSE(DeleteListedTrace(list));
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(ReadFileText(temp / L"outside\\a.tmp"), "precious");
    RemoveFolderLink(temp / L"target");

    // A link whose name differs from its target's only in letter case is not that file.
    ASSERT_TRUE(MakeFileLink(temp / L"case\\secret.txt", temp / L"case\\Secret.txt"));
    list.rows = {Row{{L"Item", L"secret.txt", *ListingFolder(temp / L"case\\")}, 0, true}};
    EXPECT_FALSE(DeleteListedTrace(list));
    EXPECT_EQ(ReadFileText(temp / L"case\\Secret.txt"), "secret");
}

}  // namespace
}  // namespace scw::test
