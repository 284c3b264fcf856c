// The shredder page as the user drives it: the real page window in this process, the clicks sent
// as the buttons send them, the system's dialogs answered by the test.
#include <windows.h>
#include <commctrl.h>

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
    EXPECT_NE(told[0].find(L"1 file was overwritten but could not be removed"), std::wstring::npos) << told[0];
    EXPECT_NE(told[0].find(L"hard links"), std::wstring::npos) << told[0];
}

}  // namespace
}  // namespace scw::test
