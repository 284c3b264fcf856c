// The main window driven by the keyboard alone: keys are posted to the focused window and go
// through the window's own message routing, as the program's message loop sends them.
#include <gtest/gtest.h>

#include <vector>

#include "WindowFixture.h"
#include "app/DlgOptions.h"
#include "junk/page/DlgJunk.h"
#include "res/junk.h"
#include "res/options.h"
#include "res/resource.h"
#include "shred/page/DlgShred.h"
#include "state/RunFlags.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

class KeyboardTest : public MainWindowTest {
protected:
    // Down and up, with Ctrl and Shift held as asked (the thread's key state says so meanwhile).
    void Press(UINT key, bool ctrl = false, bool shift = false) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        BYTE held[256];
        std::copy(std::begin(keys), std::end(keys), held);
        for (auto [vk, on] : {std::pair{VK_CONTROL, ctrl}, {VK_LCONTROL, ctrl}, {VK_SHIFT, shift}, {VK_LSHIFT, shift}})
            held[vk] = on ? 0x80 : 0;
        ::SetKeyboardState(held);
        HWND target = ::GetFocus() ? ::GetFocus() : Window();
        ::PostMessageW(target, WM_KEYDOWN, key, 1);
        ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        Pump();
        ::SetKeyboardState(keys);
    }
    void Pump() {
        MSG msg;
        for (int idle = 0; idle < 3; ++idle) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                idle = 0;
                if (!main_->RouteMessage(msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            }
            ::Sleep(10);
        }
    }
    // Ids of the windows Tab visits, starting after the focused one, until it comes round again.
    std::vector<int> TabRound(bool backwards = false) {
        std::vector<int> ids;
        HWND start = ::GetFocus();
        for (int i = 0; i < 40; ++i) {
            Press(VK_TAB, false, backwards);
            HWND focus = ::GetFocus();
            if (!focus || focus == start) break;
            ids.push_back(::GetDlgCtrlID(focus));
        }
        return ids;
    }
    void FocusId(HWND parent, int id) {
        HWND control = ::GetDlgItem(parent, id);
        ASSERT_NE(control, nullptr) << id;
        ::SetFocus(control);
        ASSERT_EQ(::GetFocus(), control);
    }
    HWND Strip() const { return ::GetDlgItem(Window(), IDC_MAIN_TAB); }
    CLumeDlg& OpenWindow() {
        CLumeDlg& w = Open();
        main_ = &w;
        return w;
    }

    CLumeDlg* main_ = nullptr;
};

constexpr int kWindowTail[] = {IDC_MAIN_HELP_SIDE, ID_MAIN_MINIMIZE, ID_MAIN_CLOSE, IDC_MAIN_UPDATE,
                               IDC_MAIN_HELP_TOP};

std::vector<int> Expected(std::initializer_list<int> page) {
    std::vector<int> ids(page);
    ids.insert(ids.end(), std::begin(kWindowTail), std::end(kWindowTail));
    return ids;
}

TEST_F(KeyboardTest, TabGoesThroughTheShownPageInReadingOrderThenTheWindowsButtonsAndShiftTabBack) {
    CLumeDlg& w = OpenWindow();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(Window(), IDC_MAIN_UPDATE)) << "the first tab stop has the focus";
    ::SetFocus(Strip());

    const std::vector<int> sweep = Expected({CDlgScan::kSelectAll, CDlgScan::kSelectNone, CDlgScan::kSelectDefault,
                                             CMyTreeCtrl::kControlId, CDlgScan::kScan, CDlgScan::kDelete,
                                             CDlgScan::kDeleteAll, CDlgScan::kResultList});
    std::vector<int> round = TabRound();
    EXPECT_EQ(round, sweep) << "no control of a hidden page, no picture, no label";
    std::vector<int> back = TabRound(true);
    std::vector<int> reversed(sweep.rbegin(), sweep.rend());
    EXPECT_EQ(back, reversed);

    Press(VK_DOWN);  // the strip has the focus again: the next page
    ASSERT_EQ(w.CurrentPage(), kPageJunk);
    EXPECT_EQ(TabRound(), Expected({IDC_JUNK_TABS, CDlgJunkScan::kTypeListId, IDC_JUNK_ALLDISKS, IDC_JUNK_DEFAULT,
                                    IDC_JUNK_SCANNOW}))
        << "one stop per radio group; the disabled path and Browser are passed over";

    Press(VK_DOWN);
    ASSERT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_EQ(TabRound(), Expected({CDlgShred::kList, CDlgShred::kAddFile, CDlgShred::kAddDirectory,
                                    CDlgShred::kCancelFile, CDlgShred::kCancelAll, CDlgShred::kWipeFree,
                                    CDlgShred::kQuick, CDlgShred::kShred}));

    Press(VK_DOWN);
    ASSERT_EQ(w.CurrentPage(), kPageOptions);
    EXPECT_EQ(TabRound(), Expected({IDC_OPT_RUN_AT_STARTUP, IDC_OPT_AUTO_UPDATE, IDC_OPT_OVERWRITE,
                                    IDC_OPT_CHECK_UPDATE, IDC_OPT_TRAY, IDC_OPT_SCAN_EVERY, IDC_OPT_CHOOSE_ONECLICK,
                                    IDC_OPT_SAVE}))
        << "the scheduler's boxes are off while the schedule is; the ticked close choice is the stop";
}

TEST_F(KeyboardTest, CtrlTabAndCtrlDigitsChangePagesUnderTheStripsRules) {
    CLumeDlg& w = OpenWindow();
    FocusId(w.ScanPage().GetSafeHwnd(), CDlgScan::kScan);

    Press(VK_TAB, true);
    EXPECT_EQ(w.CurrentPage(), kPageJunk);
    EXPECT_EQ(w.SelectedTab(), 1) << "the strip shows the page in view";
    EXPECT_EQ(::GetFocus(), w.JunkPage().Tabs().GetSafeHwnd()) << "the focus moves into the new page";
    EXPECT_EQ(w.JunkPage().ResetCount(), 1) << "shown as a click shows it";

    Press(VK_TAB, true, true);
    EXPECT_EQ(w.CurrentPage(), kPageScan);
    Press(VK_TAB, true, true);
    EXPECT_EQ(w.CurrentPage(), kPageOptions) << "round from the first to the last";
    Press('3', true);
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    Press(VK_NUMPAD1, true);
    EXPECT_EQ(w.CurrentPage(), kPageScan);

    // A running junk search holds the page, for keys as for clicks.
    JunkSearchBusy = 1;
    Press('2', true);
    Press(VK_TAB, true);
    ::SetFocus(Strip());
    Press(VK_DOWN);
    EXPECT_EQ(w.CurrentPage(), kPageScan);
    EXPECT_EQ(w.SelectedTab(), 0);
    JunkSearchBusy = 0;

    Press(VK_END);
    EXPECT_EQ(w.CurrentPage(), kPageOptions);
    EXPECT_EQ(::GetFocus(), Strip()) << "keys on the strip leave the focus there";
    Press(VK_UP);
    EXPECT_EQ(w.CurrentPage(), kPageShred);

    // Escape stops and changes nothing.
    Press(VK_ESCAPE);
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(KeyboardTest, SpaceAndEnterPressButtonsAndSpaceTicksTheTree) {
    CLumeDlg& w = OpenWindow();
    CDlgScan& sweep = w.ScanPage();
    CMyTreeCtrl& tree = sweep.Tree();
    HWND treeWindow = tree.GetSafeHwnd();
    TVITEMW root{};
    root.mask = TVIF_PARAM;
    root.hItem = TreeView_GetRoot(treeWindow);
    ASSERT_TRUE(TreeView_GetItem(treeWindow, &root));
    CMyObject* category = reinterpret_cast<CMyObject*>(root.lParam);
    ASSERT_NE(category, nullptr);

    FocusId(sweep.GetSafeHwnd(), CDlgScan::kSelectNone);
    Press(VK_SPACE);
    EXPECT_EQ(tree.GetCheck(*category), Unchecked);

    // Enter on Select All asks its question as the click does.
    int asked = 0;
    sweep.askUser = [&](HWND, const wchar_t*, const wchar_t*) {
        ++asked;
        return IDYES;
    };
    FocusId(sweep.GetSafeHwnd(), CDlgScan::kSelectAll);
    Press(VK_RETURN);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tree.GetCheck(*category), Checked);

    // Space on the tree's selected row: tri-state as with the mouse.
    FocusId(sweep.GetSafeHwnd(), CMyTreeCtrl::kControlId);
    CMyObject* program = category->firstChild;
    ASSERT_NE(program, nullptr);
    TreeView_SelectItem(treeWindow, tree.RowOf(*program));
    Press(VK_SPACE);
    EXPECT_EQ(tree.GetCheck(*program), Unchecked);
    EXPECT_EQ(tree.GetCheck(*category), category->firstChild->nextSibling ? PartlyChecked : Unchecked);
    TreeView_SelectItem(treeWindow, tree.RowOf(*category));
    Press(VK_SPACE);
    EXPECT_EQ(tree.GetCheck(*category), Checked) << "a partly ticked row becomes ticked";
    EXPECT_EQ(tree.GetCheck(*program), Checked);
    Press(VK_SPACE);
    EXPECT_EQ(tree.GetCheck(*category), Unchecked);
}

TEST_F(KeyboardTest, RadiosMoveWithArrowsCheckBoxesTickWithSpaceAndDeleteTakesAListRow) {
    TempFolder files(L"keys");
    const std::wstring a = files / L"a.txt", b = files / L"b.txt";
    WriteFileText(a);
    WriteFileText(b);
    CLumeDlg& w = OpenWindow();
    Press('3', true);
    CDlgShred& shred = w.ShredPage();
    shred.AddPath(a);
    shred.AddPath(b);

    FocusId(shred.GetSafeHwnd(), CDlgShred::kQuick);
    Press(VK_DOWN);
    EXPECT_EQ(shred.Passes(), 3);
    EXPECT_EQ(::GetFocus(), shred.GetDlgItem(CDlgShred::kSafe));
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(shred.Passes(), 1) << "round within the group";
    Press(VK_UP);
    EXPECT_EQ(shred.Passes(), 7);
    Press(VK_TAB);
    EXPECT_EQ(::GetFocus(), shred.GetDlgItem(CDlgShred::kShred)) << "the other methods are no tab stops";

    // Delete on the list takes the row off the list, as Cancel File does; the file stays.
    ::SetFocus(shred.List());
    ListView_SetItemState(shred.List(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Press(VK_DELETE);
    EXPECT_EQ(shred.QueuedPaths(), std::vector<std::wstring>{b});
    EXPECT_TRUE(FileExists(a));

    Press('4', true);
    CDlgOptions& options = w.OptionsPage();
    FocusId(options.GetSafeHwnd(), IDC_OPT_SCAN_EVERY);
    const bool before = options.IsTicked(IDC_OPT_SCAN_EVERY);
    Press(VK_SPACE);
    EXPECT_NE(options.IsTicked(IDC_OPT_SCAN_EVERY), before);
    EXPECT_EQ(::IsWindowEnabled(options.GetDlgItem(IDC_OPT_DAY)) != FALSE, !before)
        << "the page hears the click, as from the mouse";
}

}  // namespace
}  // namespace scw::test
