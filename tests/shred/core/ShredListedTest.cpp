// The shredder writes and removes only the file it listed: not what a folder swapped for a link
// leads to, not a sibling a link names in another letter case; and a folder Add reports the
// files whose paths are too long instead of passing over them in silence.
#include <gtest/gtest.h>

#include <functional>

#include "shred/core/ShredFolder.h"
#include "shred/core/ShredRun.h"
#include "tests/common/TestSupport.h"
#include "tests/shred/ShredFixtures.h"

namespace scw::test {
namespace {

// Runs a step once, when the first file of a run is finished: the run is then under way.
struct SteppingRecorder : ShredRecorder {
    std::function<void()> step;
    void FileFinished(const ShredRow& row, const FileOutcome& outcome) override {
        ShredRecorder::FileFinished(row, outcome);
        if (step) std::exchange(step, nullptr)();
    }
};

class ShredListed : public testing::Test {
protected:
    ShredSummary Shred() {
        ShredRun run(list, view);
        run.SetGoOnAfterFailure(true);
        return run.RunHere(1, nullptr);
    }
    TempFolder temp{L"shredlisted"};
    ShredList list;
    SteppingRecorder view;
};

// From the Linux side nothing the program holds can stop the swap under Wine: each file's check
// against the final path recorded at Add refuses it.
TEST_F(ShredListed, AFolderSwappedFromTheLinuxSideAfterTheAddIsRefusedAsMovedAndTheOtherFileKeepsItsContent) {
    WriteFileText(temp / L"listed\\letter.txt", "listed");
    WriteFileText(temp / L"outside\\letter.txt", "precious");
    ASSERT_TRUE(AddShredPath(list, temp / L"listed\\letter.txt").added);
    if (!RenameFromLinux(temp / L"listed", temp / L"listed-old")) GTEST_SKIP() << "needs Wine";
    ASSERT_TRUE(MakeFolderLink(temp / L"listed", temp / L"outside"));

    const ShredSummary summary = Shred();
    EXPECT_EQ(summary.shredded, 0);
    EXPECT_EQ(summary.leftAlone, 1);
    EXPECT_EQ(summary.bytesWritten, 0u);
    ASSERT_EQ(view.finished.size(), 1u);
    EXPECT_EQ(view.finished[0].second.Reason(), L"moved");
    EXPECT_EQ(ReadFileText(temp / L"outside\\letter.txt"), "precious");
    EXPECT_EQ(ReadFileText(temp / L"listed-old\\letter.txt"), "listed");
    RemoveFolderLink(temp / L"listed");
}

// The way a Windows program swaps a folder (rename, then a link in its place) is blocked while
// the run works in it: the folder is held without delete sharing.
TEST_F(ShredListed, AWindowsRenameOfTheFolderIsRefusedWhileItsFilesAreShredded) {
    WriteFileText(temp / L"listed\\a.txt", "a");
    WriteFileText(temp / L"listed\\b.txt", "b");
    WriteFileText(temp / L"outside\\b.txt", "precious");
    ASSERT_TRUE(AddShredPath(list, temp / L"listed\\a.txt").added);
    ASSERT_TRUE(AddShredPath(list, temp / L"listed\\b.txt").added);
    bool renamed = false;
    view.step = [&] {
        renamed = ::MoveFileExW((temp / L"listed").c_str(), (temp / L"listed-old").c_str(), 0) != 0;
        if (renamed) MakeFolderLink(temp / L"listed", temp / L"outside");
    };
    const ShredSummary summary = Shred();
    EXPECT_FALSE(renamed);
    EXPECT_EQ(summary.shredded, 2);
    EXPECT_EQ(ReadFileText(temp / L"outside\\b.txt"), "precious");
    if (renamed) RemoveFolderLink(temp / L"listed");
}

TEST_F(ShredListed, ALinkNamedLikeItsTargetInAnotherLetterCaseIsNeverShredded) {
    WriteFileText(temp / L"case\\Secret.txt", "secret");
    if (!MakeFileLink(temp / L"case\\secret.txt", temp / L"case\\Secret.txt")) GTEST_SKIP() << "needs Wine";
    EXPECT_EQ(AddShredPath(list, temp / L"case\\secret.txt").check.refusal, ShredRefusal::Link);
    // A row that names it anyway (it was a file when it was added).
    list.Append(RowOfPath(temp / L"case\\secret.txt"));
    const ShredSummary summary = Shred();
    EXPECT_EQ(summary.shredded, 0);
    EXPECT_EQ(summary.leftAlone, 1);
    EXPECT_EQ(ReadFileText(temp / L"case\\Secret.txt"), "secret");
}

TEST_F(ShredListed, AFolderAddReportsEveryFileWhosePathIsTooLongAsSkippedAndTheRunIsNotAllShredded) {
    const std::wstring tooLong = PlantTooLongFile(temp / L"tree\\");
    WriteFileText(tooLong.substr(0, tooLong.rfind(L'\\') + 1) + L"short.txt", "short");

    ASSERT_TRUE(AddShredFolder(list, temp / L"tree").Ok());
    ASSERT_EQ(list.Size(), 1u);
    ASSERT_EQ(list.PassedOver().size(), 1u);
    EXPECT_EQ(list.PassedOver()[0].second, L"too long");

    struct : SteppingRecorder {
        std::vector<std::wstring> passedOver;
        void PassedOver(const std::wstring& path, const std::wstring& reason) override {
            passedOver.push_back(path + L"|" + reason);
        }
    } recorder;
    ShredRun run(list, recorder);
    const ShredSummary summary = run.RunHere(1, nullptr);
    EXPECT_EQ(summary.shredded, 1);
    EXPECT_EQ(summary.tooLong, 1);
    EXPECT_FALSE(summary.AllShredded());
    ASSERT_EQ(recorder.passedOver.size(), 1u);
    EXPECT_NE(recorder.passedOver[0].find(L"|too long"), std::wstring::npos);
    EXPECT_TRUE(list.PassedOver().empty()) << "reported once";
    EXPECT_EQ(ReadFileText(L"\\\\?\\" + tooLong), "long") << "never cut into another path";
    RemoveTree(L"\\\\?\\" + temp.Path() + L"tree");
}

}  // namespace
}  // namespace scw::test
