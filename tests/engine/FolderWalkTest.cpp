// The one folder walk: what it hands over, what it never enters, what it reports as skipped.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/FolderWalk.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

struct Recorder : FolderVisitor {
    std::vector<std::wstring> files, tooLong, done;
    size_t stopAfter = SIZE_MAX;
    bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        files.push_back(folder + entry.cFileName);
        return true;
    }
    void OnFolderDone(const std::wstring& folder) override { done.push_back(folder); }
    void OnTooLong(const std::wstring& folder, const wchar_t* name) override { tooLong.push_back(folder + name); }
    bool StopRequested() override { return files.size() >= stopAfter; }
};

TEST(FolderWalk, VisitsEveryFileBelowNeverEntersALinkAndReportsWhatIsTooLong) {
    TempFolder temp(L"walk");
    WriteFileText(temp / L"tree\\a.txt");
    WriteFileText(temp / L"tree\\sub\\b.txt");
    WriteFileText(temp / L"outside\\sentinel.txt");
    const std::wstring deep = temp / L"tree\\" + std::wstring(240 - temp.Path().size(), L'd');
    MakeFolders(deep + L"\\");
    WriteFileText(L"\\\\?\\" + deep + L"\\" + std::wstring(20, L'n'));
    const bool linked = MakeFolderLink(temp / L"tree\\link", temp / L"outside");

    Recorder seen;
    EXPECT_TRUE(WalkFolder(temp / L"tree\\", seen));
    std::sort(seen.files.begin(), seen.files.end());
    EXPECT_EQ(seen.files, (std::vector<std::wstring>{temp / L"tree\\a.txt", temp / L"tree\\sub\\b.txt"}));
    EXPECT_EQ(seen.tooLong.size(), 1u);
    // Children are done before their parent, so an emptied parent can go after them.
    EXPECT_EQ(seen.done.back(), temp / L"tree\\");

    Recorder flat;
    WalkFolder(temp / L"tree\\", flat, {.recurse = false});
    EXPECT_EQ(flat.files, (std::vector<std::wstring>{temp / L"tree\\a.txt"}));

    Recorder stopped;
    stopped.stopAfter = 1;
    EXPECT_FALSE(WalkFolder(temp / L"tree\\", stopped));
    EXPECT_EQ(stopped.files.size(), 1u);
    if (linked) RemoveFolderLink(temp / L"tree\\link");
}

TEST(FolderWalk, WildcardSegmentsExpandToEveryProfileButNeverThroughALink) {
    TempFolder temp(L"walk");
    MakeFolders(temp / L"User Data\\Default\\Cache\\");
    MakeFolders(temp / L"User Data\\Profile 1\\Code Cache\\");
    MakeFolders(temp / L"User Data\\Profile 1\\Bookmarks\\");
    MakeFolders(temp / L"Documents\\Cache\\");
    const bool linked = MakeFolderLink(temp / L"User Data\\Evil", temp / L"Documents");

    std::vector<std::wstring> found = ExpandFolderPattern(temp / L"User Data\\*\\*Cache*\\");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::wstring>{temp / L"User Data\\Default\\Cache\\",
                                                temp / L"User Data\\Profile 1\\Code Cache\\"}));
    EXPECT_EQ(ExpandFolderPattern(temp / L"User Data\\Default"),
              (std::vector<std::wstring>{temp / L"User Data\\Default\\"}));
    EXPECT_TRUE(ExpandFolderPattern(temp / L"User Data\\Missing\\").empty());
    EXPECT_EQ(ExpandFolderPattern(temp / L"User Data\\*\\", 1).size(), 1u);
    if (linked) RemoveFolderLink(temp / L"User Data\\Evil");
}

}  // namespace
}  // namespace scw::test
