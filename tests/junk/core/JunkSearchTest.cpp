// The junk search on planted folders: what it lists, where it never goes, and how it stops.
#include <gtest/gtest.h>

#include <algorithm>

#include "junk/core/JunkRun.h"
#include "junk/core/JunkTypes.h"
#include "state/RunFlags.h"
#include "tests/common/HostStandIn.h"
#include "tests/common/TestSupport.h"
#include "tests/junk/core/JunkFixtures.h"

using namespace scw;
using namespace scw::test;

namespace {
std::vector<std::wstring> Search(const std::wstring& root, const std::vector<int>& rows) {
    RecordingJunkView view;
    std::atomic<bool> stop{false};
    SearchJunk(root, JunkMatcher(JunkPatternsOfRows(rows)), view, JunkStop{&stop, nullptr});
    std::vector<std::wstring> paths = view.Paths();
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<int> DefaultRows() {
    std::vector<int> rows;
    for (int row = 1; row <= kDefaultJunkTypeCount; ++row) rows.push_back(row);
    return rows;
}
}  // namespace

TEST(JunkSearch, ListsMatchingFilesOfEveryDepthInLowerCaseWithTheirFolders) {
    TempFolder root(L"junk");
    WriteFileText(root / L"A.TMP");
    WriteFileText(root / L"sub\\deeper\\~$Book.xlsx");
    WriteFileText(root / L"sub\\keep.txt");
    WriteFileText(root / L"sub\\readme");
    MakeFolders(root / L"folder.tmp\\");  // a folder is walked, never listed
    WriteFileText(root / L"folder.tmp\\inner.swp");
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    WriteFileText(root / L"sub\\hidden.$$$");
    ::SetFileAttributesW((root / L"sub\\hidden.$$$").c_str(), hidden);

    RecordingJunkView view;
    std::atomic<bool> stop{false};
    SearchJunk(root.Path(), JunkMatcher(DefaultJunkPatterns()), view, JunkStop{&stop, nullptr});
    std::vector<std::wstring> paths = view.Paths();
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::wstring>{root / L"a.tmp", root / L"folder.tmp\\inner.swp",
                                                root / L"sub\\deeper\\~$book.xlsx", root / L"sub\\hidden.$$$"}));
    for (const JunkRow& row : view.rows) EXPECT_EQ(row.folder.back(), L'\\');
    // The row itself keeps the name as it is on disk: the delete checks it letter for letter.
    EXPECT_EQ(std::count_if(view.rows.begin(), view.rows.end(), [](const JunkRow& row) { return row.file == L"A.TMP"; }), 1);
    EXPECT_TRUE(Search(root / L"missing\\", DefaultRows()).empty());

    // A relative root is searched as a full path, so the rows stay right if the current
    // directory changes before a delete. The walk itself leaves the current directory alone.
    auto currentDirectory = [] {
        wchar_t path[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, path);
        return std::wstring(path);
    };
    const std::wstring saved = currentDirectory();
    ::SetCurrentDirectoryW(root.Path().c_str());
    const std::wstring before = currentDirectory();
    std::vector<std::wstring> relative = Search(L"sub", DefaultRows());
    const std::wstring after = currentDirectory();
    ::SetCurrentDirectoryW(saved.c_str());
    EXPECT_EQ(relative, (std::vector<std::wstring>{root / L"sub\\deeper\\~$book.xlsx", root / L"sub\\hidden.$$$"}));
    EXPECT_EQ(after, before);
}

TEST(JunkSearch, NeverEntersOrListsLinksSoLoopsEndAndOutsideFilesStayUnlisted) {
    TempFolder temp(L"junklinks");
    const std::wstring root = temp / L"root\\";
    const std::wstring outside = temp / L"outside\\";
    WriteFileText(root + L"inside.tmp");
    WriteFileText(outside + L"outside.tmp");
    // A loop like a profile's "Application Data" pointing back at its parent, and a way out.
    if (!MakeFolderLink(root + L"loop", root) || !MakeFolderLink(root + L"out.tmp", outside))
        GTEST_SKIP() << "no folder links on this system";
    ASSERT_TRUE(::GetFileAttributesW((root + L"loop").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);

    EXPECT_EQ(Search(root, DefaultRows()), (std::vector<std::wstring>{root + L"inside.tmp"}));

    // Delete all of what was listed: the outside file is untouched.
    RecordingJunkView view;
    JunkRun run(view);
    ASSERT_TRUE(run.StartSearch(root, DefaultJunkPatterns()));
    run.Wait();
    FakeProgress progress;
    ASSERT_TRUE(run.StartDeleteAll(view.rows, progress));
    run.Resume();
    run.Wait();
    EXPECT_EQ(progress.deleted, 1);
    EXPECT_FALSE(FileExists(root + L"inside.tmp"));
    EXPECT_TRUE(FileExists(outside + L"outside.tmp"));
    RemoveFolderLink(root + L"loop");
    RemoveFolderLink(root + L"out.tmp");
}

TEST(JunkSearch, PathsOverThePlatformLimitAreSkippedNotCut) {
    TempFolder temp(L"junklong");
    // A folder whose files just fit, and a name one character longer that does not.
    std::wstring folder = temp.Path();
    while (folder.size() + 11 < 249) folder += L"abcdefghij\\";
    folder += std::wstring(249 - folder.size(), L'p') + L"\\";
    ASSERT_EQ(folder.size(), 250u);
    const std::wstring fits(259 - folder.size() - 4, L'f');
    const std::wstring tooLong(260 - folder.size() - 4, L'g');
    MakeFolders(L"\\\\?\\" + folder);
    WriteFileText(L"\\\\?\\" + folder + fits + L".tmp");
    WriteFileText(L"\\\\?\\" + folder + tooLong + L".tmp");
    // A folder past the limit holds a file the search must not reach by a cut path.
    const std::wstring deep = folder + std::wstring(20, L'd') + L"\\";
    MakeFolders(L"\\\\?\\" + deep);
    WriteFileText(L"\\\\?\\" + deep + L"x.tmp");

    EXPECT_EQ(Search(temp.Path(), DefaultRows()), (std::vector<std::wstring>{folder + fits + L".tmp"}));
    RemoveTree(L"\\\\?\\" + temp.Path());
}

TEST(JunkSearch, StopEndsTheSearchWithinOneEntryAndKeepsWhatWasFound) {
    TempFolder root(L"junkstop");
    for (int i = 0; i < 30; ++i) WriteFileText(root / (L"f" + std::to_wstring(i) + L".tmp"));
    for (int i = 0; i < 5; ++i) WriteFileText(root / (L"sub" + std::to_wstring(i) + L"\\x.tmp"));

    RecordingJunkView view;
    JunkRun run(view);
    // The user presses Stop as the first file shows; nothing more may come.
    view.onRow = [&](const JunkRow&) {
        if (view.rows.size() == 1) run.RequestStop();
    };
    ASSERT_TRUE(run.StartSearch(root.Path(), DefaultJunkPatterns()));
    EXPECT_EQ(JunkSearchBusy.load(), 1) << "busy from the start, so a second start is refused";
    EXPECT_FALSE(run.StartSearch(root.Path(), DefaultJunkPatterns()));
    run.Wait();
    EXPECT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"started", L"ended"}));
    EXPECT_EQ(JunkSearchBusy.load(), 0);

    // A new search starts with no stop pending.
    view.onRow = nullptr;
    view.rows.clear();
    ASSERT_TRUE(run.StartSearch(root.Path(), DefaultJunkPatterns()));
    run.Wait();
    EXPECT_EQ(view.rows.size(), 35u);
}

TEST(JunkSearch, AnEmptyRootSearchesEveryFixedDiskAndNoOtherDrive) {
    const std::vector<std::wstring> roots = FixedDriveRoots();
    ASSERT_FALSE(roots.empty());
    for (const std::wstring& root : roots) {
        EXPECT_EQ(root.size(), 3u) << root;
        EXPECT_EQ(::GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_FIXED)) << root;
    }
    wchar_t drives[1025] = {};
    ASSERT_GT(::GetLogicalDriveStringsW(1024, drives), 0u);
    for (const wchar_t* drive = drives; *drive; drive += wcslen(drive) + 1) {
        const bool fixed = ::GetDriveTypeW(drive) == DRIVE_FIXED;
        EXPECT_EQ(std::count(roots.begin(), roots.end(), std::wstring(drive)), fixed ? 1 : 0) << drive;
    }

    // A file of a rare type, planted on the first fixed disk, is found without a root.
    TempFolder temp(L"junkdisks");
    WriteFileText(temp / L"MSCreate.dir");
    const std::vector<std::wstring> found = Search(L"", {44});
    EXPECT_EQ(std::count(found.begin(), found.end(), temp / L"mscreate.dir"), 1);
}

TEST(JunkSearch, UnderWineTheHostsRootIsNeitherAFixedDiskToSearchNorARootAndDevicePathsAreNoRoots) {
    HostStandIn host;
    if (!host.Ready()) GTEST_SKIP() << "needs Wine's mount manager";
    const HostRoots hosts(host.UnixFolder());
    std::vector<std::wstring> drives = FixedDriveRoots(hosts);
    EXPECT_EQ(std::count(drives.begin(), drives.end(), host.Drive()), 0) << "Scan all Disk passes it by";
    EXPECT_EQ(std::count(drives.begin(), drives.end(), L"C:\\"), 1);
    drives = FixedDriveRoots();
    EXPECT_EQ(std::count(drives.begin(), drives.end(), host.Drive()), 1) << "the stand-in alone decides";

    EXPECT_FALSE(FullJunkRoot(host.Drive(), hosts).has_value());
    EXPECT_FALSE(FullJunkRoot(host.Folder(), hosts).has_value());
    EXPECT_EQ(FullJunkRoot(host.Folder() + L"sub", hosts), host.Folder() + L"sub\\");
    // A device path reaches past the drives: under Wine, "\\?\unix\" is the host's whole disk.
    EXPECT_TRUE(Search(host.DevicePath(), {6, 35}).empty());
    EXPECT_TRUE(Search(L"\\\\?\\" + host.Folder(), {6, 35}).empty());
    EXPECT_EQ(Search(host.Folder(), {6, 35}).size(), 3u) << "the same folder by its own name is searched";
    EXPECT_TRUE(host.FilesSurvive());
}
