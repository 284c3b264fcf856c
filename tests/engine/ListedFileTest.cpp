// The one way the program deletes a file: exactly the file that was listed, or nothing.
#include <gtest/gtest.h>

#include "engine/FinalPath.h"
#include "engine/ListedFile.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

// A file as a listing records it: its folder's final path and its own name.
std::wstring Listed(const std::wstring& folder, const std::wstring& name) {
    return ListingFolder(folder).value_or(L"?\\") + name;
}

TEST(ListedFile, DeletesThePlainFileItListedAndNothingBesideIt) {
    TempFolder temp(L"listed");
    WriteFileText(temp / L"a.tmp");
    WriteFileText(temp / L"keep.txt", "precious");
    const std::wstring listed = Listed(temp.Path(), L"a.tmp");

    EXPECT_TRUE(DeleteListedFile(listed).Deleted());
    EXPECT_FALSE(FileExists(temp / L"a.tmp"));
    EXPECT_EQ(ReadFileText(temp / L"keep.txt"), "precious");
    // Gone since the listing: nothing was left behind, but it is not counted as deleted.
    EXPECT_EQ(DeleteListedFile(listed).refusal, DeleteRefusal::Gone);
}

TEST(ListedFile, ReadOnlyGoesOnlyWhenAskedAndTooLongNeverOpens) {
    TempFolder temp(L"listed");
    WriteFileText(temp / L"ro.tmp");
    ::SetFileAttributesW((temp / L"ro.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring listed = Listed(temp.Path(), L"ro.tmp");
    EXPECT_EQ(DeleteListedFile(listed).refusal, DeleteRefusal::Denied);
    EXPECT_TRUE(::GetFileAttributesW((temp / L"ro.tmp").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(DeleteListedFile(listed, {.clearReadOnly = true}).Deleted());
    EXPECT_FALSE(FileExists(temp / L"ro.tmp"));

    const std::wstring tooLong = temp.Path() + std::wstring(260 - temp.Path().size(), L'x');
    EXPECT_EQ(DeleteListedFile(tooLong).refusal, DeleteRefusal::TooLong);
}

TEST(ListedFile, AFileLinkIsRefusedAndItsTargetSurvives) {
    TempFolder temp(L"listed");
    WriteFileText(temp / L"precious\\keep.txt", "precious");
    WriteFileText(temp / L"case\\Secret.txt", "secret");
    if (!MakeFileLink(temp / L"tmp\\link.tmp", temp / L"precious\\keep.txt"))
        GTEST_SKIP() << "file links that show as plain files are a Wine matter";
    // A link to a sibling whose name differs only in case must not pass for it.
    ASSERT_TRUE(MakeFileLink(temp / L"case\\secret.txt", temp / L"case\\Secret.txt"));

    const DeleteOutcome link = DeleteListedFile(Listed(temp / L"tmp\\", L"link.tmp"));
    EXPECT_EQ(link.refusal, DeleteRefusal::Link);
    EXPECT_EQ(link.Reason(), L"link");
    EXPECT_EQ(DeleteListedFile(Listed(temp / L"case\\", L"secret.txt")).refusal, DeleteRefusal::Link);

    EXPECT_EQ(ReadFileText(temp / L"precious\\keep.txt"), "precious");
    EXPECT_EQ(ReadFileText(temp / L"case\\Secret.txt"), "secret");
}

TEST(ListedFile, AFolderSwappedForALinkAfterTheListingIsMovedAndNothingBehindItGoes) {
    TempFolder temp(L"listed");
    WriteFileText(temp / L"r4\\a.tmp");
    WriteFileText(temp / L"outside\\a.tmp", "precious");
    const std::wstring listed = Listed(temp / L"r4\\", L"a.tmp");

    // Swapped from the Linux side, where nothing the program holds can stop it.
    if (!RenameFromLinux(temp / L"r4", temp / L"r4-old")) GTEST_SKIP() << "needs Wine";
    ASSERT_TRUE(MakeFolderLink(temp / L"r4", temp / L"outside"));

    const DeleteOutcome swapped = DeleteListedFile(listed);
    EXPECT_EQ(swapped.refusal, DeleteRefusal::Moved);
    EXPECT_EQ(swapped.Reason(), L"moved");
    EXPECT_EQ(ReadFileText(temp / L"outside\\a.tmp"), "precious");
    EXPECT_TRUE(FileExists(temp / L"r4-old\\a.tmp"));
    RemoveFolderLink(temp / L"r4");
}

TEST(ListedFile, AHeldFolderCannotBeRenamedByAnotherProgramWhileItsFilesGo) {
    TempFolder temp(L"listed");
    WriteFileText(temp / L"held\\a.tmp");
    HeldFolder held = HeldFolder::Hold(*ListingFolder(temp / L"held\\"));
    ASSERT_TRUE(held.Held());

    // The way a Windows program swaps a folder: rename it, then put a link in its place.
    EXPECT_FALSE(::MoveFileExW((temp / L"held").c_str(), (temp / L"moved").c_str(), 0));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // The walk still lists what it holds: the system's listing does not share delete.
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((held.Path() + L"*").c_str(), &data));
    EXPECT_TRUE(find);
    find.Reset();
    EXPECT_TRUE(DeleteListedFile(held.Path() + L"a.tmp").Deleted());
    EXPECT_TRUE(held.RemoveIfEmpty().Deleted());
    EXPECT_FALSE(FolderExists(temp / L"held"));
}

TEST(ListedFile, EmptiedFolderRemovalNeverFollowsALinkAndKeepsAFolderThatStillHoldsSomething) {
    TempFolder temp(L"listed");
    MakeFolders(temp / L"outside\\empty\\");
    WriteFileText(temp / L"full\\keep.txt");
    EXPECT_EQ(RemoveListedFolder(*ListingFolder(temp / L"full\\")).refusal, DeleteRefusal::NotEmpty);
    EXPECT_TRUE(FileExists(temp / L"full\\keep.txt"));

    if (!MakeFolderLink(temp / L"link", temp / L"outside\\empty")) GTEST_SKIP() << "no folder links here";
    // Listed by its spelling (a link is never listed), the link is refused, the empty folder it
    // points to stays.
    const std::wstring spelled = *ListingFolder(temp.Path()) + L"link\\";
    // Nor is a listing ever started in one: it would record the target's path as the folder's.
    EXPECT_FALSE(ListingFolder(temp / L"link\\").has_value());
    EXPECT_NE(RemoveListedFolder(spelled).refusal, DeleteRefusal::None);
    EXPECT_TRUE(FolderExists(temp / L"outside\\empty"));
    RemoveFolderLink(temp / L"link");
}

}  // namespace
}  // namespace scw::test
