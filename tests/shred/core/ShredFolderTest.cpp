// Which folders the shredder takes whole. Only listing is driven here, never a shredding run:
// refused folders are real system folders of the prefix.
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "engine/HostRoots.h"
#include "shred/core/ShredFolder.h"
#include "shred/core/ShredRun.h"
#include "tests/common/HostStandIn.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK) << csidl;
    return path;
}

std::wstring Parent(const std::wstring& folder) {
    return folder.substr(0, folder.find_last_of(L'\\'));
}

TEST(ShredFolderGuard, DrivesSystemAndUserTopFoldersTheirParentsAndLinksToThemAreNeverTaken) {
    TempFolder temp{L"shredguard"};
    const std::wstring profile = KnownFolder(CSIDL_PROFILE);
    const std::wstring appData = KnownFolder(CSIDL_APPDATA);
    ASSERT_TRUE(MakeFolderLink(temp / L"profile-link", profile));
    const std::wstring refused[] = {L"C:\\",
                                    L"C:",
                                    L"c:\\windows",
                                    L"C:\\Windows\\",
                                    L"C:\\users",
                                    profile,
                                    profile + L"\\",
                                    Parent(appData),
                                    appData,
                                    KnownFolder(CSIDL_PERSONAL),
                                    KnownFolder(CSIDL_PROGRAM_FILES),
                                    temp / L"profile-link"};
    for (const std::wstring& folder : refused) {
        SCOPED_TRACE(testing::Message() << std::string(folder.begin(), folder.end()));
        EXPECT_EQ(CheckShredFolder(folder).refusal, ShredRefusal::ProtectedFolder);
        int files = 0;
        EXPECT_EQ(ForEachFileBelow(folder, [&](const std::wstring&) { ++files; }).refusal,
                  ShredRefusal::ProtectedFolder);
        EXPECT_EQ(files, 0) << "not walked";
    }
    ShredList list;
    EXPECT_EQ(AddShredPath(list, L"C:\\").check.refusal, ShredRefusal::ProtectedFolder);
    EXPECT_EQ(AddShredPath(list, profile).check.refusal, ShredRefusal::ProtectedFolder);
    EXPECT_EQ(list.Size(), 0u);
    RemoveFolderLink(temp / L"profile-link");
}

TEST(ShredFolderGuard, AnOrdinaryFolderIsTakenAndOtherLinksMissingFoldersAndFilesAreNot) {
    TempFolder temp{L"shredguard"};
    WriteFileText(temp / L"old letters\\a.txt");
    // A folder of the user's own below Documents, and one below TEMP.
    const std::wstring letters = KnownFolder(CSIDL_PERSONAL) + L"\\scourwell old letters";
    WriteFileText(letters + L"\\b.txt");
    wchar_t tempPath[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, tempPath);
    const std::wstring scratch = std::wstring(tempPath) + L"scourwell scratch";
    WriteFileText(scratch + L"\\c.txt");
    for (const std::wstring& folder : {temp / L"old letters", temp / L"old letters\\", letters, scratch}) {
        SCOPED_TRACE(testing::Message() << std::string(folder.begin(), folder.end()));
        EXPECT_TRUE(CheckShredFolder(folder).Ok());
        int files = 0;
        EXPECT_TRUE(ForEachFileBelow(folder, [&](const std::wstring&) { ++files; }).Ok());
        EXPECT_EQ(files, 1);
    }
    RemoveTree(letters + L"\\");
    RemoveTree(scratch + L"\\");

    ASSERT_TRUE(MakeFolderLink(temp / L"letters-link", temp / L"old letters"));
    EXPECT_EQ(CheckShredFolder(temp / L"letters-link").refusal, ShredRefusal::Link);
    EXPECT_EQ(CheckShredFolder(temp / L"gone").refusal, ShredRefusal::Missing);
    EXPECT_EQ(CheckShredFolder(temp / L"old letters\\a.txt").refusal, ShredRefusal::Other);
    EXPECT_EQ(CheckShredFolder(L"old letters").refusal, ShredRefusal::BadPath) << "relative";
    RemoveFolderLink(temp / L"letters-link");
}

TEST(ShredFolderGuard, UnderWineTheHostsRootByItsDriveOrItsFolderIsProtectedAndNothingBelowIsListed) {
    HostStandIn host;
    if (!host.Ready()) GTEST_SKIP() << "needs Wine's mount manager";
    OverrideEnvironment env;
    env.SetHostRootFolder(host.UnixFolder());
    for (const std::wstring& root : {host.Drive(), host.Folder()}) {
        int listed = 0;
        const ShredCheck check = ForEachFileBelow(root, [&](const std::wstring&) { ++listed; }, env);
        EXPECT_EQ(check.refusal, ShredRefusal::ProtectedFolder) << std::string(root.begin(), root.end());
        EXPECT_EQ(listed, 0);
    }
    EXPECT_EQ(CheckShredFolder(host.DevicePath(), env).refusal, ShredRefusal::BadPath);
    EXPECT_TRUE(CheckShredFolder(host.Folder() + L"sub", env).Ok()) << "a folder below it is the user's to choose";
    // Without the stand-in it is no host root (to the shredder it is still the drive's root, R:).
    EXPECT_FALSE(HostRoots().IsHostRoot(host.Folder())) << "without the stand-in it is an ordinary folder";
    EXPECT_TRUE(host.FilesSurvive());
}

}  // namespace
}  // namespace scw::test
