// The shredder page as the user drives it: the real page window in this process, the clicks sent
// as the buttons send them, the system's dialogs answered by the test.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "shred/page/DlgShred.h"
#include "tests/common/TestSupport.h"
#include "tests/shred/ShredFixtures.h"

namespace scw::test {
namespace {

class ShredPageTest : public testing::Test {
protected:
    void SetUp() override {
        parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 640, 520, nullptr, nullptr, nullptr, nullptr);
        page = std::make_unique<CDlgShred>();
        page->chooseFiles = [this](HWND) { return filesToChoose; };
        page->chooseFolder = [this](HWND) { return folderToChoose; };
        page->tellUser = [this](HWND, const std::wstring& text) { told.push_back(text); };
        ASSERT_TRUE(page->Create(parent));
    }
    void TearDown() override {
        page.reset();
        ::DestroyWindow(parent);
    }

    void Click(int id) {
        ::SendMessageW(page->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(page->GetDlgItem(id)));
    }
    void ClickRadio(int id) {
        HWND radio = page->GetDlgItem(id);
        ::SendMessageW(radio, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        ::SendMessageW(radio, WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
        ::SendMessageW(radio, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageW(radio, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    bool WaitForRunEnd() {
        return WaitUntil([&] { return !page->Run().Busy(); }, 60000) && (PumpMessages(50), page->Idle());
    }
    std::wstring Cell(int row, int column) {
        wchar_t buffer[300] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = 300;
        ::SendMessageW(page->List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    int Rows() { return static_cast<int>(::SendMessageW(page->List(), LVM_GETITEMCOUNT, 0, 0)); }
    int BarRange() { return static_cast<int>(::SendMessageW(page->GetDlgItem(CDlgShred::kProgress), PBM_GETRANGE, FALSE, 0)); }
    int BarPosition() { return static_cast<int>(::SendMessageW(page->GetDlgItem(CDlgShred::kProgress), PBM_GETPOS, 0, 0)); }
    bool Enabled(int id) { return ::IsWindowEnabled(page->GetDlgItem(id)) != FALSE; }

    TempFolder temp{L"shredpage"};
    HWND parent = nullptr;
    std::unique_ptr<CDlgShred> page;
    std::vector<std::wstring> filesToChoose;
    std::optional<std::wstring> folderToChoose;
    std::vector<std::wstring> told;
};

TEST_F(ShredPageTest, EveryWayOfAddingListsWritableFilesOnceAndAFolderReplacesTheList) {
    WriteFileText(temp / L"data.txt\\data.txt", "12345");
    WriteFileText(temp / L"b.txt", "bb");
    WriteFileText(temp / L"ro.txt");
    ::SetFileAttributesW((temp / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    page->AddPath(temp / L"data.txt\\data.txt");
    page->AddPath(temp / L"data.txt\\data.txt");
    page->AddPath(temp / L"ro.txt");
    page->AddPath(temp / L"data.txt");  // a folder
    filesToChoose = {temp / L"b.txt", temp / L"ro.txt", temp / L"data.txt\\data.txt"};
    Click(CDlgShred::kAddFile);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Cell(0, 0), L"data.txt");
    EXPECT_EQ(Cell(0, 1), temp / L"data.txt\\");
    EXPECT_EQ(Cell(0, 2), L"5");
    EXPECT_EQ(Cell(1, 0), L"b.txt");

    ListView_SetItemState(page->List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    Click(CDlgShred::kCancelFile);
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{temp / L"b.txt"});

    // Linked folders inside the chosen one are not entered, file links are not listed.
    folderToChoose = kPlantedLinks + L"tree";
    Click(CDlgShred::kAddDirectory);
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{kPlantedLinks + L"tree\\sub\\plain.txt"});
    folderToChoose.reset();
    Click(CDlgShred::kAddDirectory);
    EXPECT_EQ(Rows(), 1) << "a cancelled browser changes nothing";
    Click(CDlgShred::kCancelAll);
    EXPECT_EQ(Rows(), 0);
    ::SetFileAttributesW((temp / L"ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ShredPageTest, ADriveOrTopFolderIsRefusedWithAMessageAndTheListStaysAsItWas) {
    WriteFileText(temp / L"listed.txt", "listed");
    page->AddPath(temp / L"listed.txt");
    wchar_t profile[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile), S_OK);
    // Only listing is asked for: nothing here is ever shredded.
    for (const std::wstring& folder : {std::wstring(L"C:\\"), std::wstring(L"C:\\Windows"), std::wstring(profile)}) {
        SCOPED_TRACE(testing::Message() << std::string(folder.begin(), folder.end()));
        told.clear();
        page->AddPath(folder);
        EXPECT_TRUE(told.empty()) << "a hand-off is never answered with a message";
        folderToChoose = folder;
        Click(CDlgShred::kAddDirectory);
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(L"will not shred \"" + folder + L"\""), std::wstring::npos);
        EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{temp / L"listed.txt"});
    }
    // A link to an ordinary folder is not followed either, and says so.
    WriteFileText(temp / L"letters\\a.txt");
    ASSERT_TRUE(MakeFolderLink(temp / L"letters-link", temp / L"letters"));
    told.clear();
    folderToChoose = temp / L"letters-link";
    Click(CDlgShred::kAddDirectory);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"is a link"), std::wstring::npos);
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{temp / L"listed.txt"});
    RemoveFolderLink(temp / L"letters-link");
    // The ordinary folder itself replaces the list.
    folderToChoose = temp / L"letters";
    Click(CDlgShred::kAddDirectory);
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{temp / L"letters\\a.txt"});
    EXPECT_EQ(ReadFileText(temp / L"listed.txt"), "listed");
}

TEST_F(ShredPageTest, WithoutMemoryForTheBlocksTheUserIsToldAndNothingIsWritten) {
    WriteFileText(temp / L"a.txt", "content");
    page->AddPath(temp / L"a.txt");
    page->Run().UsePageSource(PageSource{[](size_t) -> void* { return nullptr; }, [](void*) {}});
    Click(CDlgShred::kShred);
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_TRUE(WaitUntil([&] { return !told.empty(); }, 5000));
    EXPECT_EQ(told, std::vector<std::wstring>{L"\u5206\u914d\u5185\u5b58\u5931\u8d25\uff01"});
    EXPECT_EQ(ReadFileText(temp / L"a.txt"), "content");
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{temp / L"a.txt"});
    EXPECT_TRUE(Enabled(CDlgShred::kAddFile));
}

TEST_F(ShredPageTest, ShredOnAnEmptyListEndsAtOnceAndSaysNothing) {
    Click(CDlgShred::kShred);
    ASSERT_TRUE(WaitUntil([&] { return !page->Run().Busy(); }, 3000));
    PumpMessages(50);
    EXPECT_TRUE(page->Idle());
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(Enabled(CDlgShred::kAddFile));
    EXPECT_EQ(BarPosition(), 0);
}

TEST_F(ShredPageTest, ThoroughShredsTheListWithTheBarScaledToItsBytesAndTellsNothingWhenAllWent) {
    WriteFileText(temp / L"a.bin", std::string(100000, 'a'));
    WriteFileText(temp / L"empty.bin", "");
    WriteFileText(temp / L"sentinel.txt", "keep");
    page->AddPath(temp / L"a.bin");
    page->AddPath(temp / L"empty.bin");
    ClickRadio(CDlgShred::kThorough);
    EXPECT_EQ(page->Passes(), 7);
    Click(CDlgShred::kShred);
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(Rows(), 0);
    EXPECT_FALSE(FileExists(temp / L"a.bin"));
    EXPECT_FALSE(FileExists(temp / L"empty.bin"));
    EXPECT_EQ(ReadFileText(temp / L"sentinel.txt"), "keep");
    EXPECT_EQ(BarRange(), 100000);
    EXPECT_EQ(BarPosition(), 0) << "back to the start after the run";
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(Enabled(CDlgShred::kAddFile));
    EXPECT_TRUE(Enabled(CDlgShred::kThorough));
}

TEST_F(ShredPageTest, StopDuringARunLocksTheButtonsUntilItEndsAndLeavesTheFileListedOnDisk) {
    const std::wstring big = temp / L"big.bin";
    WriteFileText(big, std::string(48 << 20, 'z'));
    page->AddPath(big);
    ClickRadio(CDlgShred::kThorough);
    Click(CDlgShred::kShred);
    // Locked as soon as the run has measured the list, long before 336 MB are written.
    ASSERT_TRUE(WaitUntil([&] { return !page->Idle(); }, 30000))
        << "busy " << page->Run().Busy() << ", rows " << Rows() << ", on disk " << FileExists(big);
    EXPECT_EQ(BarRange(), 48 << 20);
    for (int id : {CDlgShred::kAddFile, CDlgShred::kAddDirectory, CDlgShred::kCancelFile, CDlgShred::kCancelAll,
                   CDlgShred::kQuick, CDlgShred::kSafe, CDlgShred::kThorough})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(CDlgShred::kShred));
    Click(CDlgShred::kShred);  // Stop
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{big});
    EXPECT_TRUE(FileExists(big));
    EXPECT_TRUE(Enabled(CDlgShred::kAddFile));
    EXPECT_TRUE(told.empty());
}

TEST_F(ShredPageTest, TheEndOfARunTellsWhatWasNotOverwrittenOrNotRemoved) {
    WriteFileText(temp / L"chosen.txt", "shared");
    ASSERT_TRUE(::CreateHardLinkW((temp / L"other.txt").c_str(), (temp / L"chosen.txt").c_str(), nullptr));
    WriteFileText(temp / L"held.txt", "held");
    page->AddPath(temp / L"chosen.txt");
    page->AddPath(temp / L"held.txt");
    UniqueFileHandle holder(::CreateFileW((temp / L"held.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    Click(CDlgShred::kShred);
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_TRUE(WaitUntil([&] { return !told.empty(); }, 5000));
    holder.Reset();
    EXPECT_EQ(page->QueuedPaths(), std::vector<std::wstring>{temp / L"held.txt"});
    EXPECT_EQ(ReadFileText(temp / L"other.txt"), "shared");
    EXPECT_NE(told[0].find(L"1 file was overwritten but could not be removed; it stays in the list."),
              std::wstring::npos)
        << std::string(told[0].begin(), told[0].end());
    EXPECT_NE(told[0].find(L"hard links"), std::wstring::npos) << told[0];
}

TEST_F(ShredPageTest, AddDirectoryWithAPathTooLongTellsAtTheEndOfTheRunThatTheFileWasSkipped) {
    const std::wstring tooLong = PlantTooLongFile(temp / L"tree\\");
    WriteFileText(tooLong.substr(0, tooLong.rfind(L'\\') + 1) + L"short.txt", "short");
    folderToChoose = temp / L"tree";
    Click(CDlgShred::kAddDirectory);
    ASSERT_EQ(Rows(), 1);
    Click(CDlgShred::kShred);
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_TRUE(WaitUntil([&] { return !told.empty(); }, 5000));
    EXPECT_NE(told[0].find(L"1 file was skipped (too long)"), std::wstring::npos) << told[0];
    EXPECT_EQ(ReadFileText(L"\\\\?\\" + tooLong), "long");
    RemoveTree(L"\\\\?\\" + temp.Path() + L"tree");
}

}  // namespace
}  // namespace scw::test
