#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "WindowFixture.h"
#include "app/DlgOptions.h"
#include "app/ProcessState.h"
#include "app/SiteAddresses.h"
#include "state/RunFlags.h"
#include "framework/Strings.h"
#include "framework/WorkerThread.h"
#include "junk/page/DlgJunk.h"
#include "res/resource.h"
#include "shred/page/DlgShred.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

TEST_F(MainWindowTest, StartsOnTheSweepPageWithTitleTrayIconAndPagesInPlace) {
    CLumeDlg& w = Open();
    wchar_t title[64] = {};
    ::GetWindowTextW(Window(), title, 64);
    EXPECT_STREQ(title, L"Scourwell");
    EXPECT_EQ(w.SelectedTab(), 0);
    EXPECT_EQ(w.CurrentPage(), kPageScan);
    EXPECT_TRUE(Visible(w.ScanPage()));
    EXPECT_FALSE(Visible(w.JunkPage()));
    EXPECT_FALSE(Visible(w.ShredPage()));
    EXPECT_FALSE(Visible(w.OptionsPage()));
    EXPECT_TRUE(FileExists(SettingsFile().Path())) << "a missing settings file is written with defaults";

    // Every page sits at (178, 158) and inside the window.
    RECT client;
    ::GetClientRect(Window(), &client);
    for (CDialog* page : {static_cast<CDialog*>(&w.ScanPage()), static_cast<CDialog*>(&w.JunkPage()),
                          static_cast<CDialog*>(&w.ShredPage()), static_cast<CDialog*>(&w.OptionsPage())}) {
        RECT rc;
        ::GetWindowRect(page->GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, 178);
        EXPECT_EQ(rc.top, 158);
        EXPECT_LE(rc.right, client.right);
        EXPECT_LE(rc.bottom, client.bottom);
    }
    ASSERT_FALSE(trayCalls_.empty());
    EXPECT_EQ(trayCalls_.front().action, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(trayCalls_.front().record.uID, 128u);
    EXPECT_EQ(trayCalls_.front().record.uCallbackMessage, static_cast<UINT>(WM_USER + 5));
    EXPECT_STREQ(trayCalls_.front().record.szTip, L"Scourwell");
}

TEST_F(MainWindowTest, StartedWithAShredPathOpensOnTheShredderWithThePathQueued) {
    TempFolder files(L"shredarg");
    const std::wstring path = files / L"My Files\\a b.txt";
    WriteFileText(path);
    state_.shredPathArgument = path;
    CLumeDlg& w = Open();
    EXPECT_EQ(w.SelectedTab(), 2);
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_TRUE(Visible(w.ShredPage()));
    EXPECT_FALSE(Visible(w.ScanPage()));
    EXPECT_EQ(w.ShredPage().QueuedPaths(), std::vector<std::wstring>{path});
}

TEST_F(MainWindowTest, HandOffWhileHiddenAfterAutoStartShowsTheWindowForGood) {
    state_.autoStartFlag = true;
    CLumeDlg& w = Open();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(Window()); }, 3000)) << "a hidden start hides at paint";

    TempFolder files(L"handoff");
    const std::wstring secret = files / L"secret.txt";
    WriteFileText(secret);
    const std::string path = WideToAnsi(secret);
    SendHandOff(path.c_str(), static_cast<DWORD>(path.size() + 1));
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_FALSE(state_.autoStartFlag);
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_EQ(w.SelectedTab(), 2);
    EXPECT_TRUE(Visible(w.ShredPage()));
    EXPECT_EQ(w.ShredPage().QueuedPaths(), std::vector<std::wstring>{secret});

    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(100);
    EXPECT_TRUE(::IsWindowVisible(Window())) << "the next paint keeps it visible";
}

TEST_F(MainWindowTest, HandOffReadsOnlyTheGivenBytesUpToTheFirstNul) {
    CLumeDlg& w = Open();
    TempFolder files(L"handoff");
    WriteFileText(files / L"a.txt");
    WriteFileText(files / L"other.txt");
    // Text followed by garbage after the NUL: only the text counts.
    std::string withTail = WideToAnsi(files / L"a.txt");
    withTail += '\0';
    withTail += WideToAnsi(files / L"other.txt");
    SendHandOff(withTail.data(), static_cast<DWORD>(withTail.size() + 1));
    // No NUL within the byte count (though one follows in memory): nothing is added.
    const char noNul[] = "C:\\b.txt";
    SendHandOff(noNul, 4);
    SendHandOff(noNul, 0);
    SendHandOff(nullptr, 10);
    SendHandOff("", 1);
    EXPECT_EQ(w.ShredPage().QueuedPaths(), std::vector<std::wstring>{files / L"a.txt"});
    ::SendMessageW(Window(), WM_COPYDATA, 0, 0);
    EXPECT_EQ(w.ShredPage().QueuedPaths().size(), 1u);
}

TEST_F(MainWindowTest, HandOffOfAnEmptyPathShowsTheShredderButAnUnterminatedOneChangesNothing) {
    state_.autoStartFlag = true;
    CLumeDlg& w = Open();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(Window()); }, 3000));
    const char noNul[] = "C:\\b.txt";
    SendHandOff(noNul, 4);
    EXPECT_FALSE(::IsWindowVisible(Window()));
    EXPECT_TRUE(state_.autoStartFlag);
    EXPECT_EQ(w.CurrentPage(), kPageScan);

    SendHandOff("", 1);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_FALSE(state_.autoStartFlag);
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_TRUE(w.ShredPage().QueuedPaths().empty());
}

TEST_F(MainWindowTest, CloseButtonFollowsTheExitAndTraySettings) {
    struct Case {
        int exitOnClose, trayOnClose, junkBusy;
        bool quits, hides;
    } cases[] = {{0, 1, 0, false, true}, {1, 1, 0, true, true}, {1, 0, 0, true, false},
                 {0, 0, 0, false, false}, {1, 1, 1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "exit=" << c.exitOnClose << " tray=" << c.trayOnClose
                                        << " junk busy=" << c.junkBusy);
        ::DeleteFileW(SettingsFile().Path().c_str());
        WriteCloseSettings(c.exitOnClose, c.trayOnClose);
        Open();
        JunkSearchBusy = c.junkBusy;
        trayCalls_.clear();
        Command(ID_MAIN_CLOSE);
        EXPECT_EQ(QuitPosted(), c.quits);
        EXPECT_EQ(!::IsWindowVisible(Window()), c.hides);
        bool removed = !trayCalls_.empty() && trayCalls_.back().action == static_cast<DWORD>(NIM_DELETE);
        EXPECT_EQ(removed, c.quits) << "the exit removes the tray icon";
        JunkSearchBusy = 0;
        Close();
    }
}

TEST_F(MainWindowTest, MinimiseHidesUnlessAJunkSearchRuns) {
    Open();
    JunkSearchBusy = 1;
    Command(ID_MAIN_MINIMIZE);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    JunkSearchBusy = 0;
    Command(ID_MAIN_MINIMIZE);
    EXPECT_FALSE(::IsWindowVisible(Window()));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(MainWindowTest, TaskBarMinimiseKeepsTheBusyRuleAndTheTrayRestoresTheWindow) {
    Open();
    JunkSearchBusy = 1;
    // What the task-bar button and the system menu send.
    ::SendMessageW(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(::IsIconic(Window())) << "no minimising while a junk search runs";
    JunkSearchBusy = 0;
    ::SendMessageW(Window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(::IsIconic(Window()));
    TrayClick(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(::IsIconic(Window()));
    EXPECT_TRUE(::IsWindowVisible(Window()));
}

TEST_F(MainWindowTest, TabMessagesChangePagesAndPageFiveOnlyOpensTheFaq) {
    state_.autoStartFlag = true;
    CLumeDlg& w = Open();
    ::SendMessageW(Window(), kTabChangedMessage, 0, kPageJunk);
    EXPECT_FALSE(state_.autoStartFlag) << "a tab click ends the hidden start";
    EXPECT_TRUE(Visible(w.JunkPage()));
    EXPECT_FALSE(Visible(w.ScanPage()));
    EXPECT_EQ(w.JunkPage().ResetCount(), 1) << "the junk page is reset each time it is shown";

    ::SendMessageW(Window(), kTabChangedMessage, 0, kPageFaq);
    EXPECT_EQ(openedPages_, std::vector<std::wstring>{kFaqPageUrl});
    EXPECT_TRUE(Visible(w.JunkPage())) << "the current page stays";
    EXPECT_EQ(w.CurrentPage(), kPageJunk);

    Command(IDC_MAIN_HELP_TOP);
    Command(IDC_MAIN_HELP_SIDE);
    EXPECT_EQ(openedPages_.size(), 3u);
    EXPECT_TRUE(Visible(w.JunkPage()));

    ::SendMessageW(Window(), kTabChangedMessage, 0, kPageOptions);
    EXPECT_TRUE(Visible(w.OptionsPage()));
    EXPECT_FALSE(Visible(w.JunkPage()));
    ::SendMessageW(Window(), kShowShredderMessage, 0, 0);
    EXPECT_TRUE(Visible(w.ShredPage()));
    EXPECT_FALSE(Visible(w.OptionsPage()));
}

TEST_F(MainWindowTest, TrayIconIgnoresClicksWhileAnyRunIsBusy) {
    state_.autoStartFlag = true;
    CLumeDlg& w = Open();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(Window()); }, 3000));
    for (std::atomic<int>* flag : {&SweepBusy, &SweepDeleting, &JunkSearchBusy}) {
        *flag = 1;
        TrayClick(WM_LBUTTONDBLCLK);
        TrayClick(WM_RBUTTONDOWN);
        EXPECT_FALSE(::IsWindowVisible(Window()));
        EXPECT_FALSE(w.Tray().MenuBuilt()) << "no menu while busy";
        *flag = 0;
    }
    TrayClick(WM_LBUTTONUP);
    EXPECT_FALSE(::IsWindowVisible(Window())) << "other mouse messages are ignored";
    TrayClick(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_FALSE(state_.autoStartFlag);
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(::IsWindowVisible(Window())) << "stays visible at later paints";
    EXPECT_EQ(w.CurrentPage(), kPageScan) << "the page does not change";
}

namespace {
// Closes the tray menu from inside its own modal loop, after noting that it was open.
bool g_menuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_menuSeen = true;
    ::EndMenu();
}
}  // namespace

TEST_F(MainWindowTest, RightClickBuildsTheTrayMenuOnceWithItsEntries) {
    CLumeDlg& w = Open();
    g_menuSeen = false;
    ::SetTimer(nullptr, 0, 300, CloseMenu);
    TrayClick(WM_RBUTTONDOWN);
    EXPECT_TRUE(g_menuSeen);
    ASSERT_TRUE(w.Tray().MenuBuilt());
    HMENU menu = w.Tray().Menu().GetSafeHmenu();
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) ids.push_back(::GetMenuItemID(menu, i));
    // Side bar, five pages, separator, one-click, separator, exit.
    std::vector<UINT> expected{0, 20000, 20001, 20003, 20002, 20005, 0, 20006, 0, 20007};
    EXPECT_EQ(ids, expected);
}

TEST_F(MainWindowTest, TrayMenuCommandsSelectTheirTabsAndPages) {
    state_.autoStartFlag = true;
    CLumeDlg& w = Open();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(Window()); }, 3000));

    Command(ID_TRAY_HELP);
    EXPECT_EQ(openedPages_, std::vector<std::wstring>{kFaqPageUrl});
    EXPECT_FALSE(::IsWindowVisible(Window())) << "Help leaves a hidden window hidden";

    Command(ID_TRAY_ONECLICK);
    EXPECT_FALSE(::IsWindowVisible(Window())) << "one-click erase shows nothing";
    EXPECT_EQ(w.CurrentPage(), kPageScan);

    struct Case {
        UINT command;
        int tab;
        CDialog* page;
    } cases[] = {{ID_TRAY_JUNK, 1, &w.JunkPage()},
                 {ID_TRAY_SETTINGS, 3, &w.OptionsPage()},
                 {ID_TRAY_SHREDDER, 2, &w.ShredPage()},
                 {ID_TRAY_SECURITY, 0, &w.ScanPage()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ::ShowWindow(Window(), SW_HIDE);
        Command(c.command);
        EXPECT_EQ(w.SelectedTab(), c.tab);
        EXPECT_EQ(w.CurrentPage(), c.tab);
        EXPECT_TRUE(Visible(*c.page));
        EXPECT_TRUE(::IsWindowVisible(Window()));
        EXPECT_FALSE(state_.autoStartFlag);
    }
    EXPECT_FALSE(QuitPosted());
    Command(ID_TRAY_EXIT);
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(trayCalls_.back().action, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(MainWindowTest, RunEndingWhileHiddenShowsOneLastBalloonThenTheIdleIcon) {
    CLumeDlg& w = Open();
    ::ShowWindow(Window(), SW_HIDE);
    const HICON mainIcon = trayCalls_.front().record.hIcon;
    trayCalls_.clear();

    // The run's worker announces its start and end from its own thread.
    std::thread([&] { w.StartTrayActivity(L"Scanning in process", L"Scan Items:"); }).join();
    ASSERT_TRUE(WaitUntil([&] { return trayCalls_.size() >= 2; }, 3000)) << "ticks every 500 ms";
    const TrayCall& tick = trayCalls_.front();
    EXPECT_EQ(tick.action, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(tick.record.uFlags & NIF_INFO);
    EXPECT_STREQ(tick.record.szInfoTitle, L"Scanning in process");
    EXPECT_STREQ(tick.record.szInfo, L"Scan Items:0");
    EXPECT_STREQ(tick.record.szTip, L"Scanning in process");
    EXPECT_NE(tick.record.hIcon, mainIcon);
    EXPECT_NE(trayCalls_[1].record.hIcon, tick.record.hIcon) << "the icon animates";

    std::thread([&] { w.StopTrayActivity(L"Scanning is completed", L"Total Scan Items:"); }).join();
    ASSERT_TRUE(WaitUntil([&] { return !w.TrayAnimating(); }, 3000));
    const TrayCall last = trayCalls_.back();
    EXPECT_TRUE(last.record.uFlags & NIF_INFO);
    EXPECT_STREQ(last.record.szInfoTitle, L"Scanning is completed");
    EXPECT_STREQ(last.record.szInfo, L"Total Scan Items:0");
    EXPECT_STREQ(last.record.szTip, L"Scourwell");
    EXPECT_EQ(last.record.hIcon, mainIcon);
    size_t count = trayCalls_.size();
    PumpMessages(700);
    EXPECT_EQ(trayCalls_.size(), count) << "the animation has stopped";
}

TEST_F(MainWindowTest, RunWhileVisibleAnimatesFourFramesWithoutBalloons) {
    CLumeDlg& w = Open();
    trayCalls_.clear();
    w.StartTrayActivity(L"Scanning in process", L"Scan Items:");
    ASSERT_TRUE(WaitUntil([&] { return trayCalls_.size() >= 5; }, 5000));
    w.StopTrayActivity(L"Scanning is completed", L"Total Scan Items:");
    ASSERT_TRUE(WaitUntil([&] { return !w.TrayAnimating(); }, 3000));
    for (size_t i = 0; i < 4; ++i) EXPECT_FALSE(trayCalls_[i].record.uFlags & NIF_INFO);
    EXPECT_EQ(trayCalls_[0].record.hIcon, trayCalls_[4].record.hIcon) << "four frames, then round again";
    EXPECT_NE(trayCalls_[0].record.hIcon, trayCalls_[1].record.hIcon);
    EXPECT_NE(trayCalls_[1].record.hIcon, trayCalls_[2].record.hIcon);
    EXPECT_NE(trayCalls_[2].record.hIcon, trayCalls_[3].record.hIcon);
}

TEST_F(MainWindowTest, ShellRestartAddsTheTrayIconAgain) {
    Open();
    trayCalls_.clear();
    ::SendMessageW(Window(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(trayCalls_.size(), 1u);
    EXPECT_EQ(trayCalls_[0].action, static_cast<DWORD>(NIM_ADD));
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindowUntilRelease) {
    Open();
    RECT before;
    ::GetWindowRect(Window(), &before);
    ::SetCursorPos(before.left + 40, before.top + 30);
    ::SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
    ::SetCursorPos(before.left + 140, before.top + 80);
    ASSERT_TRUE(WaitUntil(
        [&] {
            RECT now;
            ::GetWindowRect(Window(), &now);
            return now.left == before.left + 100 && now.top == before.top + 50;
        },
        3000));
    ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(40, 30));
    ::SetCursorPos(before.left + 300, before.top + 300);
    PumpMessages(150);
    RECT after;
    ::GetWindowRect(Window(), &after);
    EXPECT_EQ(after.left, before.left + 100) << "released: the window stays";
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

// The window joins the workers it owns (a page's run), not every worker of the process.
TEST_F(MainWindowTest, ClosingTheWindowStopsAndJoinsRunningWorkersFirst) {
    CLumeDlg& w = Open();
    const std::vector<DWORD> before = LiveThreadIds();
    // Rule entries beside the program may carry warnings: every one is agreed to here.
    w.ScanPage().Tree().confirmWarning = [](HWND, const wchar_t*, const wchar_t*, UINT) { return IDYES; };
    w.ScanPage().Tree().CheckAll();
    ::SendMessageW(w.ScanPage().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CDlgScan::kScan, BN_CLICKED), 0);
    ASSERT_TRUE(w.ScanPage().Run()->Busy()) << "a scan of every item is still running";
    std::vector<DWORD> started;
    for (DWORD id : LiveThreadIds())
        if (std::find(before.begin(), before.end(), id) == before.end()) started.push_back(id);
    ASSERT_FALSE(started.empty());
    Close();
    const std::vector<DWORD> after = LiveThreadIds();
    for (DWORD id : started) EXPECT_EQ(std::find(after.begin(), after.end(), id), after.end()) << id;
    EXPECT_EQ(SweepBusy.load(), 0);
}

}  // namespace scw::test
