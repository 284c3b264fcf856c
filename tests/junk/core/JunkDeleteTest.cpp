// Deleting junk: exactly the listed path, read-only files too, failures counted and nothing ever
// left to be deleted at restart.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/UniqueHandle.h"
#include "junk/core/JunkDelete.h"
#include "junk/core/JunkRun.h"
#include "junk/core/JunkTypes.h"
#include "tests/common/TestSupport.h"
#include "tests/junk/core/JunkFixtures.h"

using namespace scw;
using namespace scw::test;

TEST(JunkDelete, RemovesReadOnlyFilesAndRefusesWhatIsNotAPlainListedFile) {
    TempFolder root(L"junkdel");
    const std::wstring readOnly = root / L"locked.tmp";
    WriteFileText(readOnly);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(DeleteJunkFile(readOnly));
    EXPECT_FALSE(FileExists(readOnly));

    EXPECT_FALSE(DeleteJunkFile(root / L"gone.tmp")) << "a file that is gone is a failure";
    MakeFolders(root / L"folder.tmp\\");
    WriteFileText(root / L"folder.tmp\\keep.txt");
    EXPECT_FALSE(DeleteJunkFile(root / L"folder.tmp"));
    EXPECT_TRUE(FileExists(root / L"folder.tmp\\keep.txt"));
    EXPECT_FALSE(DeleteJunkFile(L"C:\\" + std::wstring(300, L'x') + L".tmp"));

    WriteFileText(root / L"target\\sentinel.tmp");
    if (MakeFolderLink(root / L"link.tmp", root / L"target")) {
        EXPECT_FALSE(DeleteJunkFile(root / L"link.tmp"));
        EXPECT_TRUE(FileExists(root / L"target\\sentinel.tmp"));
        RemoveFolderLink(root / L"link.tmp");
    }
}

TEST(JunkDelete, FileInUseFailsKeepsItsReadOnlyBitAndIsNeverQueuedForRestart) {
    TempFolder root(L"junkuse");
    const std::wstring path = root / L"busy.tmp";
    WriteFileText(path);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    UniqueFileHandle holder(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                          nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(DeleteJunkFile(path));
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(TakePendingRename(path));
    holder.Reset();
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(JunkDelete, DeleteAllCountsALockedFileAsOneFailureAndEmptiesTheList) {
    TempFolder root(L"junkall");
    WriteFileText(root / L"a.tmp");
    WriteFileText(root / L"sub\\b.swp");
    WriteFileText(root / L"sub\\c.tmp");
    WriteFileText(root / L"ro.tmp");
    ::SetFileAttributesW((root / L"ro.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileText(root / L"sentinel.txt");
    RecordingJunkView view;
    JunkRun run(view);
    ASSERT_TRUE(run.StartSearch(root.Path(), DefaultJunkPatterns()));
    run.Wait();
    ASSERT_EQ(view.rows.size(), 4u);

    UniqueFileHandle holder(::CreateFileW((root / L"sub\\c.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    FakeProgress progress;
    ASSERT_TRUE(run.StartDeleteAll(view.rows, progress));
    run.Resume();
    run.Wait();
    EXPECT_EQ(progress.deleted, 3);
    EXPECT_EQ(progress.failed, 1);
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(view.calls.back(), L"rows deleted");
    EXPECT_TRUE(FileExists(root / L"sub\\c.tmp"));
    EXPECT_FALSE(FileExists(root / L"ro.tmp"));
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
    EXPECT_FALSE(TakePendingRename(root / L"sub\\c.tmp"));
    EXPECT_FALSE(run.StartDeleteAll({}, progress)) << "an empty list deletes nothing";
}

TEST(JunkDelete, AFileLinkNamedLikeJunkIsNeverDeletedThrough) {
    const std::wstring folder = kPlantedJunkLinks;
    const std::wstring link = folder + L"file-link.tmp";
    const std::wstring target = folder + L"precious.txt";
    ASSERT_EQ(ReadFileText(target), "precious") << "links are planted by the test command";
    // A link the listing marks as one is left out; where the system shows it as a plain file
    // (Wine) it is listed, and only the delete stands between it and its target.
    WriteFileText(folder + L"plain.tmp");
    RecordingJunkView view;
    JunkRun run(view);
    ASSERT_TRUE(run.StartSearch(folder, DefaultJunkPatterns()));
    run.Wait();
    const std::vector<std::wstring> found = view.Paths();
    EXPECT_NE(std::find(found.begin(), found.end(), folder + L"plain.tmp"), found.end());

    // A row naming the link: Delete refuses it, and Delete all counts it as a failure.
    EXPECT_FALSE(DeleteJunkFile(link));
    FakeProgress progress;
    ASSERT_TRUE(run.StartDeleteAll({JunkRow{L"file-link.tmp", folder}, JunkRow{L"plain.tmp", folder}}, progress));
    run.Resume();
    run.Wait();
    EXPECT_EQ(progress.failed, 1);
    EXPECT_EQ(progress.deleted, 1);
    EXPECT_FALSE(FileExists(folder + L"plain.tmp"));
    EXPECT_EQ(ReadFileText(target), "precious");
    EXPECT_EQ(ReadFileText(link), "precious") << "the link stays: deleting it here would delete its target";
}
