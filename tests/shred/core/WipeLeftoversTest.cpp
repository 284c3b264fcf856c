// What a killed free-space wipe leaves behind, and what removing it must never touch. The folder is
// planted at the root of the prefix's C: (never filled here: C: is this machine's own disk).
#include <windows.h>

#include <gtest/gtest.h>

#include <future>

#include "shred/core/WipeFolder.h"
#include "shred/core/WipeVolume.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

const std::wstring kRoot = L"C:\\";

// Removes the planted folder at the end whatever the test left in it.
struct PlantedWipeFolder {
    std::wstring path = WipeFolderOf(kRoot);
    PlantedWipeFolder() { RemoveTree(path); }
    ~PlantedWipeFolder() { RemoveTree(path); }
    std::wstring operator/(const std::wstring& name) const { return path + name; }
};

TEST(WipeLeftovers, OnlyTheWipesOwnFilesGoAndTheFolderStaysWhileAnythingElseIsInIt) {
    PlantedWipeFolder folder;
    WriteFileText(folder / L"fill0001.tmp", std::string(100000, 'x'));
    WriteFileText(folder / L"r0000001.tmp", "record");
    WriteFileText(folder / L"r0000002.tmp", "record");
    ::SetFileAttributesW((folder / L"r0000002.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    // Names a user might give, close to the wipe's: none of them is the wipe's.
    for (const wchar_t* name : {L"notes.txt", L"fill0001.txt", L"fill.tmp", L"r12a.tmp", L"sub\\fill0002.tmp"})
        WriteFileText(folder / name, "precious");

    const LeftoverReport first = RemoveWipeLeftovers(kRoot);
    EXPECT_TRUE(first.found);
    EXPECT_EQ(first.removed, 3u);
    EXPECT_FALSE(first.folderRemoved);
    EXPECT_FALSE(FileExists(folder / L"fill0001.tmp"));
    EXPECT_FALSE(FileExists(folder / L"r0000002.tmp"));
    for (const wchar_t* name : {L"notes.txt", L"fill0001.txt", L"fill.tmp", L"r12a.tmp", L"sub\\fill0002.tmp"})
        EXPECT_EQ(ReadFileText(folder / name), "precious") << name;

    // Once only the wipe's files are left, the start-up sweep takes the folder too.
    RemoveTree(folder.path);
    WriteFileText(folder / L"fill0003.tmp", "x");
    RemoveWipeLeftoversOnAllDrives();
    EXPECT_FALSE(FolderExists(folder.path));
    EXPECT_FALSE(RemoveWipeLeftovers(kRoot).found);
}

TEST(WipeLeftovers, AFolderLinkInTheWipesPlaceIsNeverFollowed) {
    TempFolder elsewhere{L"wipelink"};
    WriteFileText(elsewhere / L"fill0001.tmp", "precious");
    const std::wstring link = WipeFolderOf(kRoot);
    RemoveTree(link);
    if (!MakeFolderLink(link, elsewhere.Path())) GTEST_SKIP() << "no folder links here";
    const LeftoverReport report = RemoveWipeLeftovers(kRoot);
    RemoveWipeLeftoversOnAllDrives();
    const bool linkStayed = FolderExists(link);
    RemoveFolderLink(link);
    EXPECT_TRUE(report.found);
    EXPECT_EQ(report.removed, 0u);
    EXPECT_TRUE(linkStayed);
    EXPECT_EQ(ReadFileText(elsewhere / L"fill0001.tmp"), "precious");
}

TEST(WipeLeftovers, ADriveBeingWipedIsLeftToItsWipe) {
    PlantedWipeFolder folder;
    WriteFileText(folder / L"fill0001.tmp", "x");
    std::promise<void> taken, done;
    // The lock belongs to the thread that took it, as it does to a wipe's worker.
    std::thread wipe([&] {
        std::optional<WipeDriveLock> lock = WipeDriveLock::Take(kRoot);
        ASSERT_TRUE(lock);
        taken.set_value();
        done.get_future().wait();
    });
    taken.get_future().wait();
    std::async(std::launch::async, [] {
        EXPECT_FALSE(WipeDriveLock::Take(kRoot));
        RemoveWipeLeftoversOnAllDrives();
    }).wait();
    EXPECT_TRUE(FileExists(folder / L"fill0001.tmp"));
    done.set_value();
    wipe.join();
    EXPECT_TRUE(WipeDriveLock::Take(kRoot));
}

TEST(WipeVolumes, OnlyDriveLettersNameADriveAndAMissingDriveIsNotReady) {
    EXPECT_EQ(DriveRootOf(L"d:"), L"D:\\");
    EXPECT_EQ(DriveRootOf(L"D:\\"), L"D:\\");
    for (const wchar_t* typed : {L"D", L"D:x", L"D:\\x", L"\\\\server\\share", L"1:", L""})
        EXPECT_EQ(CheckWipeVolume(typed).refusal, VolumeRefusal::NotADrive) << typed;
    wchar_t unused = 0;
    const DWORD drives = ::GetLogicalDrives();
    for (int i = 25; i >= 3 && !unused; --i)
        if (!(drives & (1u << i))) unused = static_cast<wchar_t>(L'A' + i);
    ASSERT_NE(unused, 0);
    const VolumeCheck missing = CheckWipeVolume(std::wstring{unused, L':'});
    EXPECT_FALSE(missing.Ok());
    EXPECT_FALSE(missing.Reason().empty());
    const VolumeCheck c = CheckWipeVolume(L"c:");
    ASSERT_TRUE(c.Ok()) << c.Reason();
    EXPECT_EQ(c.volume.root, L"C:\\");
    EXPECT_GT(c.volume.totalBytes, 0u);
}

}  // namespace
}  // namespace scw::test
