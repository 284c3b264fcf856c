// Overwrite before delete: what goes, and what must stay exactly as it was. That the data itself
// is gone from the disk is proved on a real NTFS volume (tests/fixtures/wipe-free.sh).
#include <gtest/gtest.h>

#include "engine/ListedFile.h"
#include "engine/OverwriteDelete.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

std::wstring Listed(const std::wstring& folder, const std::wstring& name) {
    return ListingFolder(folder).value_or(L"?\\") + name;
}

std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((folder + L"*").c_str(), &data));
    if (!find) return names;
    do {
        if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..")
            names.push_back(data.cFileName);
    } while (::FindNextFileW(find.Get(), &data));
    return names;
}

const DeleteOptions kOverwrite{.clearReadOnly = false, .queueLockedForRestart = true, .overwrite = true};

TEST(OverwriteDelete, APlainFileGoesWithNoNameLeftAndItsNeighboursStay) {
    TempFolder temp(L"overwrite");
    WriteFileText(temp / L"big.tmp", std::string(300000, 's'));
    WriteFileText(temp / L"empty.tmp", "");
    WriteFileText(temp / L"keep.txt", "precious");
    EXPECT_TRUE(DeleteListedFile(Listed(temp.Path(), L"big.tmp"), kOverwrite).Deleted());
    EXPECT_TRUE(DeleteListedFile(Listed(temp.Path(), L"empty.tmp"), kOverwrite).Deleted());
    // Neither the name nor a renamed leftover is in the folder.
    EXPECT_EQ(Names(temp.Path()), std::vector<std::wstring>{L"keep.txt"});
    EXPECT_EQ(ReadFileText(temp / L"keep.txt"), "precious");
}

TEST(OverwriteDelete, AFileThatCannotBeOverwrittenIsNotDeletedPlainlyNorLeftForARestart) {
    TempFolder temp(L"overwrite");
    WriteFileText(temp / L"held.tmp", "held content");
    WriteFileText(temp / L"ro.tmp", "read-only content");
    ::SetFileAttributesW((temp / L"ro.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    {
        // Another program reads it and lets no one write.
        UniqueFileHandle reader(::CreateFileW((temp / L"held.tmp").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        const DeleteOutcome held = DeleteListedFile(Listed(temp.Path(), L"held.tmp"), kOverwrite);
        EXPECT_EQ(held.refusal, DeleteRefusal::Locked);
        EXPECT_EQ(held.Reason(), L"locked");
    }
    EXPECT_EQ(ReadFileText(temp / L"held.tmp"), "held content");
    EXPECT_FALSE(TakePendingRename(temp / L"held.tmp"));

    EXPECT_EQ(DeleteListedFile(Listed(temp.Path(), L"ro.tmp"), kOverwrite).refusal, DeleteRefusal::Denied);
    EXPECT_EQ(ReadFileText(temp / L"ro.tmp"), "read-only content");
    EXPECT_TRUE(::GetFileAttributesW((temp / L"ro.tmp").c_str()) & FILE_ATTRIBUTE_READONLY);
    DeleteOptions clearing = kOverwrite;
    clearing.clearReadOnly = true;
    EXPECT_TRUE(DeleteListedFile(Listed(temp.Path(), L"ro.tmp"), clearing).Deleted());
    EXPECT_FALSE(FileExists(temp / L"ro.tmp"));
}

TEST(OverwriteDelete, AHardLinkLosesOnlyItsNameAndALinkIsNeverOverwritten) {
    TempFolder temp(L"overwrite");
    WriteFileText(temp / L"other\\shared.txt", "shared content");
    MakeFolders(temp / L"junk");
    ASSERT_TRUE(::CreateHardLinkW((temp / L"junk\\name.tmp").c_str(), (temp / L"other\\shared.txt").c_str(), nullptr));
    EXPECT_TRUE(DeleteListedFile(Listed(temp / L"junk\\", L"name.tmp"), kOverwrite).Deleted());
    EXPECT_FALSE(FileExists(temp / L"junk\\name.tmp"));
    EXPECT_EQ(ReadFileText(temp / L"other\\shared.txt"), "shared content");

    WriteFileText(temp / L"precious\\keep.txt", "precious");
    if (!MakeFileLink(temp / L"links\\link.tmp", temp / L"precious\\keep.txt"))
        GTEST_SKIP() << "file links that show as plain files are a Wine matter";
    EXPECT_EQ(DeleteListedFile(Listed(temp / L"links\\", L"link.tmp"), kOverwrite).refusal, DeleteRefusal::Link);
    EXPECT_EQ(ReadFileText(temp / L"precious\\keep.txt"), "precious");
}

TEST(OverwriteDelete, TheUsersChoiceReachesTheDeletionsItAsksForOnly) {
    SetOverwriteBeforeDelete(true);
    EXPECT_TRUE(UserDeleteOptions({.clearReadOnly = true}).overwrite);
    EXPECT_TRUE(UserDeleteOptions().overwrite);
    SetOverwriteBeforeDelete(false);
    EXPECT_FALSE(UserDeleteOptions({.clearReadOnly = true}).overwrite);
}

}  // namespace
}  // namespace scw::test
