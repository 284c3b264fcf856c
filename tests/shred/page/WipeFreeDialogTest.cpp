// The free-space wipe dialog driven as a user would, on a wipe of the test's own that reports as
// the real one does from its worker (a real wipe would fill this machine's disk).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>

#include "res/resource.h"
#include "shred/page/DlgShred.h"
#include "shred/page/DlgWipeFree.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

struct FakeWipe {
    std::atomic<int> passes{0};
    std::wstring drive;
    WipeSummary operator()(const std::wstring& root, int passCount, HANDLE stop, WipeView& view) {
        drive = root;
        passes = passCount;
        const WipeVolume volume{root, DRIVE_FIXED, L"NTFS", 4u << 20, 16u << 20, 512};
        view.WipeStarted(volume, volume.freeBytes * passCount);
        view.WipePhaseChanged(WipePhase::Filling, 1);
        for (int i = 0; i < 4; ++i) view.WipeProgress((i + 1) * 256 * 1024);
        WipeSummary summary;
        summary.root = root;
        summary.passes = passCount;
        summary.bytesWritten = 1u << 20;
        summary.stopped = ::WaitForSingleObject(stop, 10000) == WAIT_OBJECT_0;
        view.WipePhaseChanged(WipePhase::CleaningUp, 0);
        view.WipeEnded(summary);
        return summary;
    }
};

class WipeFreeDialogTest : public testing::Test {
protected:
    void SetUp() override {
        parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 640, 520, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { ::DestroyWindow(parent); }
    void Click(CDialog& dialog, int id) {
        ::SendMessageW(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)));
    }
    static std::wstring Text(HWND window) {
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        return text;
    }
    HWND parent = nullptr;
};

TEST_F(WipeFreeDialogTest, StartShowsTheWorkersProgressStopEndsItAndTheReportSaysSo) {
    FakeWipe fake;
    CDlgWipeFree dialog(3);
    dialog.listVolumes = [] {
        return std::vector<WipeVolume>{{L"Q:\\", DRIVE_FIXED, L"NTFS", 4u << 20, 16u << 20, 512},
                                       {L"R:\\", DRIVE_REMOVABLE, L"FAT32", 1u << 20, 2u << 20, 512}};
    };
    dialog.wipe = std::ref(fake);
    ASSERT_TRUE(dialog.Create(parent));
    HWND drives = dialog.GetDlgItem(IDC_WIPE_DRIVE);
    EXPECT_EQ(::SendMessageW(drives, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.GetSafeHwnd(), IDC_WIPE_SAFE), BST_CHECKED) << "the page's method";
    EXPECT_FALSE(Text(dialog.GetDlgItem(IDC_WIPE_NOTE)).empty());

    Click(dialog, IDC_WIPE_START);
    HWND bar = dialog.GetDlgItem(IDC_WIPE_PROGRESS);
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(bar, PBM_GETPOS, 0, 0) > 0; }));
    EXPECT_TRUE(dialog.Running());
    EXPECT_EQ(Text(dialog.GetDlgItem(IDC_WIPE_START)), L"Stop");
    EXPECT_FALSE(::IsWindowEnabled(drives));
    EXPECT_FALSE(::IsWindowEnabled(dialog.GetDlgItem(IDC_WIPE_QUICK)));
    // 1 MiB of the expected 12 MiB (4 MiB free, three passes).
    const int range = static_cast<int>(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(::SendMessageW(bar, PBM_GETPOS, 0, 0), range / 12);
    EXPECT_NE(dialog.StatusText().find(L"written"), std::wstring::npos) << dialog.StatusText().c_str();

    Click(dialog, IDC_WIPE_START);
    ASSERT_TRUE(WaitUntil([&] { return !dialog.ReportText().empty(); }));
    EXPECT_EQ(fake.drive, L"Q:\\");
    EXPECT_EQ(fake.passes, 3);
    EXPECT_NE(dialog.ReportText().find(L"stopped"), std::wstring::npos) << dialog.ReportText().c_str();
    EXPECT_NE(dialog.ReportText().find(L"1048576 bytes"), std::wstring::npos) << dialog.ReportText().c_str();
    EXPECT_FALSE(dialog.Running());
    EXPECT_EQ(Text(dialog.GetDlgItem(IDC_WIPE_START)), L"Start");
    EXPECT_TRUE(::IsWindowEnabled(drives));
    dialog.DestroyWindow();
}

TEST_F(WipeFreeDialogTest, ClosingWhileTheWipeRunsStopsItAndTheWorkerIsJoinedBeforeTheDialogGoes) {
    FakeWipe fake;
    auto dialog = std::make_unique<CDlgWipeFree>(1);
    dialog->listVolumes = [] { return std::vector<WipeVolume>{{L"Q:\\", DRIVE_FIXED, L"NTFS", 1u << 20, 2u << 20, 512}}; };
    dialog->wipe = std::ref(fake);
    ASSERT_TRUE(dialog->Create(parent));
    Click(*dialog, IDC_WIPE_START);
    ASSERT_TRUE(WaitUntil([&] { return fake.passes == 1; }));
    Click(*dialog, IDCANCEL);
    EXPECT_TRUE(::IsWindow(dialog->GetSafeHwnd())) << "it waits for the wipe to clean up";
    ASSERT_TRUE(WaitUntil([&] { return !dialog->Running(); }));
    // Destroyed without waiting for anything: the destructor joins the worker.
    dialog.reset();
}

TEST_F(WipeFreeDialogTest, WhileTheWipeDialogIsOpenThePageIsBusyAsDuringAShredRun) {
    CDlgShred page;
    bool opened = false;
    page.runWipeDialog = [&](HWND, int passes) {
        opened = true;
        EXPECT_EQ(passes, 1);
        EXPECT_FALSE(page.Idle());
        for (int id : {CDlgShred::kAddFile, CDlgShred::kAddDirectory, CDlgShred::kCancelFile, CDlgShred::kCancelAll,
                       CDlgShred::kShred, CDlgShred::kQuick})
            EXPECT_FALSE(::IsWindowEnabled(page.GetDlgItem(id))) << id;
        // A Shred press that reached the page anyway starts nothing.
        Click(page, CDlgShred::kShred);
        EXPECT_FALSE(page.Run().Busy());
    };
    ASSERT_TRUE(page.Create(parent));
    Click(page, CDlgShred::kWipeFree);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(page.Idle());
    EXPECT_TRUE(::IsWindowEnabled(page.GetDlgItem(CDlgShred::kShred)));
    EXPECT_TRUE(::IsWindowEnabled(page.GetDlgItem(CDlgShred::kWipeFree)));
}

}  // namespace
}  // namespace scw::test
