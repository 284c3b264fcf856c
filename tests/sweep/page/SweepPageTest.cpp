// The privacy sweep page as the user drives it: the real page window in this process, runs
// through the engine on planted folders, and the clicks sent as the buttons send them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/UniqueHandle.h"
#include "state/Settings.h"
#include "state/RunFlags.h"
#include "sweep/page/DlgScan.h"
#include "deletion/page/DlgScanResult.h"
#include "state/ItemSets.h"
#include "tests/common/KeyAccess.h"
#include "tests/common/ProgressCloser.h"
#include "tests/common/TestSupport.h"

using namespace scw;
using namespace scw::test;

namespace {

struct TrayRecorder : TrayActivity {
    std::vector<std::wstring> calls;
    // Called on the run's worker as a tray activity starts, before the run goes on.
    std::function<void(const std::wstring& title)> onStart;
    void StartTrayActivity(const std::wstring& t, const std::wstring& x) override {
        calls.push_back(L"start " + t + x);
        if (onStart) onStart(t);
    }
    void StopTrayActivity(const std::wstring& t, const std::wstring& x) override { calls.push_back(L"stop " + t + x); }
};

class SweepPageTest : public testing::Test {
protected:
    void SetUp() override {
        SweepBusy = 0;
        SweepDeleting = 0;
        EnsureDefaultSettings(settings);
        env.SetVariable(L"TEMP", temp);
        env.SetWindowsFolder(root / L"win");
        WriteFileText(temp + L"\\a.txt");
        WriteFileText(temp + L"\\sub\\b.txt");
        WriteFileText(root / L"win\\temp\\c.tmp");
        WriteFileText(root / L"sentinel.txt");
        catalogue.Build();
        parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 700, 560, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        page.reset();
        ::DestroyWindow(parent);
        SweepBusy = 0;
    }

    void OpenPage() {
        page = std::make_unique<CDlgScan>(tray, catalogue, settings, env);
        page->askUser = [this](HWND, const wchar_t* text, const wchar_t* caption) {
            questions.push_back(std::wstring(caption) + L": " + text);
            return answer;
        };
        page->onProgressShown = [](CDialog& dialog) { ProgressCloser::dialog = dialog.GetSafeHwnd(); };
        ASSERT_TRUE(page->Create(parent));
        ::SetWindowPos(page->GetSafeHwnd(), nullptr, 0, 0, 620, 520, SWP_NOZORDER);
    }

    void Click(int id) {
        ::SendMessageW(page->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(page->GetSafeHwnd(), id)));
    }
    // Presses and releases the mouse on the button, as the user's click does.
    void ClickWithTheMouse(int id) {
        HWND button = ::GetDlgItem(page->GetSafeHwnd(), id);
        RECT r{};
        ::GetClientRect(button, &r);
        const LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
        ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        ::SendMessageW(button, WM_LBUTTONUP, 0, centre);
    }
    void ScanAndWait() {
        Click(CDlgScan::kScan);
        page->Run()->Wait();
        PumpMessages();
    }
    std::vector<UINT> Ticked() {
        std::vector<UINT> ids;
        catalogue.ForEach([&](CMyObject* n) {
            if (n->level == LevelItem && page->Tree().GetCheck(*n) == Checked) ids.push_back(n->itemId);
        });
        return ids;
    }
    int ListRows() { return static_cast<int>(::SendMessageW(page->ResultList(), LVM_GETITEMCOUNT, 0, 0)); }

    TempFolder root{L"sweeppage"};
    std::wstring temp = root / L"temp";
    CIniFileRW settings{CIniFileRW::ByPath{}, root / L"setting.ini"};
    OverrideEnvironment env;
    Catalogue catalogue;
    TrayRecorder tray;
    HWND parent = nullptr;
    std::unique_ptr<CDlgScan> page;
    std::vector<std::wstring> questions;
    int answer = IDNO;
};

}  // namespace

TEST_F(SweepPageTest, FirstStartTicksTheDefaultSetAndTheSelectCommandsFollowTheirRules) {
    OpenPage();
    EXPECT_EQ(Ticked(), (std::vector<UINT>{104, 105, 106, 107, 108, 109, 113, 129, 130, 135, 139, 141}));

    Click(CDlgScan::kSelectAll);  // answered No
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0],
              L"Warning: Now you have chosen \"Select All\" item. \nThis action will delete much important privacy,\n"
              L"for example, Favorites (Bookmarked sites).\nPlease pay attention to this action!");
    EXPECT_EQ(Ticked().size(), 12u);

    SweepBusy = 1;
    Click(CDlgScan::kSelectAll);
    Click(CDlgScan::kSelectNone);
    EXPECT_EQ(questions.size(), 1u) << "no question while a scan runs";
    EXPECT_EQ(Ticked().size(), 12u);
    SweepBusy = 0;

    Click(CDlgScan::kSelectNone);
    EXPECT_TRUE(Ticked().empty());
    answer = IDYES;
    Click(CDlgScan::kSelectAll);
    EXPECT_EQ(Ticked().size(), 139u);
    Click(CDlgScan::kSelectDefault);
    EXPECT_EQ(Ticked().size(), 12u);
}

TEST_F(SweepPageTest, ScanFillsTheListInOrderAndDeleteAllEmptiesEverything) {
    WriteItemSet(settings, ItemSet::Recent, {106, 112});
    OpenPage();
    EXPECT_EQ(Ticked(), (std::vector<UINT>{106, 112}));
    ScanAndWait();
    ASSERT_EQ(ListRows(), 2);
    EXPECT_EQ(page->Rows().At(0)->name, L"a.txt");
    EXPECT_EQ(page->Rows().At(1)->location, temp + L"\\sub\\");
    EXPECT_EQ(catalogue.Find(106)->traceCount, 2);
    EXPECT_EQ(catalogue.Find(106)->scanState, ScanDone);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page->GetSafeHwnd(), CDlgScan::kDeleteAll)));
    EXPECT_EQ(tray.calls.back(), L"stop Scanning is completedTotal Scan Items:");

    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ProgressCloser::Tick);
    Click(CDlgScan::kDeleteAll);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(ProgressCloser::alertShown);
    EXPECT_EQ(SweepDeleting, 0);
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(root / L"win\\temp\\c.tmp")) << "an item that found nothing is not deleted";
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
    PumpMessages();
    EXPECT_EQ(ListRows(), 0);
    EXPECT_EQ(catalogue.Find(106)->traceCount, 0);
    EXPECT_EQ(catalogue.Find(106)->scanState, ScanIdle);

    ProgressCloser::dialog = nullptr;
    Click(CDlgScan::kDeleteAll);  // nothing left: no dialog
    EXPECT_EQ(ProgressCloser::dialog, nullptr);
}

TEST_F(SweepPageTest, DeleteAllWithALockedFileShowsTheAlert) {
    WriteItemSet(settings, ItemSet::Recent, {106});
    OpenPage();
    ScanAndWait();
    HANDLE locked = ::CreateFileW((temp + L"\\a.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ProgressCloser::Tick);
    Click(CDlgScan::kDeleteAll);
    ::KillTimer(nullptr, timer);
    ::CloseHandle(locked);
    EXPECT_TRUE(ProgressCloser::alertShown);
    EXPECT_EQ(page->Run()->Tally().failed, 1);
    EXPECT_FALSE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_TRUE(TakePendingRename(temp + L"\\a.txt"));
}

namespace {
const wchar_t kPaintKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List";

// The progress dialog of the Delete all under way, and its undeleted count when Exit showed.
CDlgScanResult* shownProgress = nullptr;
int undeletedShown = -1;
void CALLBACK NoteUndeletedAndClose(HWND window, UINT message, UINT_PTR id, DWORD time) {
    if (shownProgress && shownProgress->Finished()) undeletedShown = shownProgress->Failed();
    ProgressCloser::Tick(window, message, id, time);
}

// Removes the planted key even when an assertion ends the test early.
struct PlantedKey {
    explicit PlantedKey(const wchar_t* path) : path(path) { DeleteRegTree(HKEY_CURRENT_USER, path); }
    ~PlantedKey() { DeleteRegTree(HKEY_CURRENT_USER, path); }
    const wchar_t* path;
};
}  // namespace

TEST_F(SweepPageTest, DeleteAllOfARegistryKeyThatWillNotGoShowsTheAlertWithOneUndeleted) {
    PlantedKey planted(kPaintKey);
    SetRegString(HKEY_CURRENT_USER, kPaintKey, L"File1", L"C:\\pictures\\one.bmp");
    SetRegString(HKEY_CURRENT_USER, kPaintKey, L"File2", L"C:\\pictures\\two.bmp");
    WriteItemSet(settings, ItemSet::Recent, {122});
    OpenPage();
    ScanAndWait();
    ASSERT_EQ(ListRows(), 2);
    {
        WritesDenied denied(HKEY_CURRENT_USER, kPaintKey);
        ASSERT_TRUE(denied);
        if (!denied.Enforced()) GTEST_SKIP() << "key access lists are not enforced here";
        page->onProgressShown = [](CDialog& dialog) {
            ProgressCloser::dialog = dialog.GetSafeHwnd();
            shownProgress = static_cast<CDlgScanResult*>(&dialog);
        };
        undeletedShown = -1;
        ProgressCloser::alertShown = false;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 50, NoteUndeletedAndClose);
        Click(CDlgScan::kDeleteAll);
        ::KillTimer(nullptr, timer);
        shownProgress = nullptr;
    }
    EXPECT_TRUE(ProgressCloser::alertShown);
    EXPECT_EQ(undeletedShown, 1);
    EXPECT_EQ(page->Run()->Tally().failed, 1);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kPaintKey, L"File1"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kPaintKey, L"File2"));
    EXPECT_TRUE(FileExists(temp + L"\\a.txt")) << "an item outside the run";
}

TEST_F(SweepPageTest, OneClickEraseTicksItsSetDeletesEverythingAndRecordsIt) {
    WriteItemSet(settings, ItemSet::OneClick, {112, 999, 106});
    OpenPage();
    page->StartOneClickErase();
    page->Run()->Wait();
    PumpMessages();
    EXPECT_EQ(Ticked(), (std::vector<UINT>{106, 112}));
    EXPECT_FALSE(FileExists(root / L"win\\temp\\c.tmp")) << "the one-click erase empties listed-nothing folders";
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
    EXPECT_EQ(ReadItemSet(settings, ItemSet::Recent).ids, (std::vector<int>{106, 112}));
    EXPECT_EQ(tray.calls.back(), L"stop Deleting is completedTotal Deleted Items:");
    EXPECT_EQ(ListRows(), 0);
}

TEST_F(SweepPageTest, ScanButtonClickedWhileAOneClickEraseDeletesStopsTheDeletingAndTheTraySaysSo) {
    WriteItemSet(settings, ItemSet::OneClick, {106, 112});
    OpenPage();
    // The worker holds still at the start of its delete phase until the click is in.
    UniqueKernelHandle deletePhase(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    UniqueKernelHandle clicked(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    tray.onStart = [&](const std::wstring& title) {
        if (title != L"Deleting in process") return;
        ::SetEvent(deletePhase.Get());
        ::WaitForSingleObject(clicked.Get(), 10000);
    };
    page->StartOneClickErase();
    ASSERT_TRUE(WaitUntil([&] { return ::WaitForSingleObject(deletePhase.Get(), 0) == WAIT_OBJECT_0; }));
    EXPECT_EQ(SweepBusy, 0) << "the scan phase is over";
    ClickWithTheMouse(CDlgScan::kScan);
    // The click only asks the run to stop; the run's items keep what its scan found.
    EXPECT_EQ(catalogue.Find(106)->traceCount, 2);
    EXPECT_EQ(catalogue.Find(106)->scanState, ScanDone);
    ::SetEvent(clicked.Get());
    page->Run()->Wait();
    PumpMessages();
    EXPECT_EQ(tray.calls.back(), L"stop Deleting is stoppedTotal Deleted Items:");
    EXPECT_EQ(page->Run()->Tally().deleted, 0);
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_TRUE(FileExists(root / L"win\\temp\\c.tmp"));
    EXPECT_FALSE(page->Run()->Busy());
    EXPECT_EQ(std::count(tray.calls.begin(), tray.calls.end(), L"start Scanning in processScan Items:"), 1)
        << "the click started no scan";
}

TEST_F(SweepPageTest, DeleteRemovesOnlyTheSelectedRow) {
    WriteItemSet(settings, ItemSet::Recent, {106});
    OpenPage();
    ScanAndWait();
    ASSERT_EQ(ListRows(), 2);
    Click(CDlgScan::kDelete);  // nothing selected
    EXPECT_EQ(ListRows(), 2);
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));

    LVITEMW select{};
    select.stateMask = select.state = LVIS_SELECTED;
    ::SendMessageW(page->ResultList(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
    Click(CDlgScan::kDelete);
    EXPECT_EQ(ListRows(), 1);
    EXPECT_EQ(page->RunningCount(), 1);
    EXPECT_FALSE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));
    EXPECT_EQ(page->Rows().At(0)->name, L"a.txt");
}

TEST_F(SweepPageTest, DeleteKeepsTheRestOfTheSelectionOnTheSameTraces) {
    WriteFileText(temp + L"\\c.txt");
    WriteFileText(temp + L"\\d.txt");
    WriteItemSet(settings, ItemSet::Recent, {106});
    OpenPage();
    ScanAndWait();
    ASSERT_EQ(ListRows(), 4);
    LVITEMW select{};
    select.stateMask = select.state = LVIS_SELECTED;
    for (int row : {0, 2, 3}) ::SendMessageW(page->ResultList(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&select));
    std::vector<std::wstring> stillSelected = {page->Rows().At(2)->name, page->Rows().At(3)->name};
    std::wstring deleted = page->Rows().At(0)->location + page->Rows().At(0)->name;
    Click(CDlgScan::kDelete);
    EXPECT_EQ(ListRows(), 3);
    EXPECT_FALSE(FileExists(deleted));
    std::vector<std::wstring> selected;
    for (int i = -1; (i = static_cast<int>(::SendMessageW(page->ResultList(), LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        selected.push_back(page->Rows().At(i)->name);
    EXPECT_EQ(selected, stillSelected);
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
}

TEST_F(SweepPageTest, DeleteAllWhoseProgressDialogCannotOpenEndsDeletingNothingAndSaysSo) {
    WriteItemSet(settings, ItemSet::Recent, {106});
    OpenPage();
    std::vector<std::wstring> told;
    page->tellUser = [&](HWND, const wchar_t* text, const wchar_t*) { told.push_back(text); };
    ScanAndWait();
    ASSERT_EQ(ListRows(), 2);
    {
        DialogsRefused refused;
        ASSERT_TRUE(refused);
        Click(CDlgScan::kDeleteAll);
    }
    EXPECT_FALSE(page->Run()->Busy());
    EXPECT_EQ(SweepDeleting, 0);
    EXPECT_EQ(told.size(), 1u);
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_EQ(ListRows(), 2) << "the results stay for another try";
    EXPECT_TRUE(page->Run()->CanDeleteAll());
}
