// The junk page as the user drives it: the real page window in this process, a search of a
// planted folder, and the clicks sent as the controls send them.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "framework/UniqueHandle.h"
#include "framework/WorkerThread.h"
#include "junk/page/DlgJunk.h"
#include "junk/page/JunkFolderBrowser.h"
#include "res/resource.h"
#include "state/RunFlags.h"
#include "tests/common/ProgressCloser.h"
#include "tests/common/TestSupport.h"

using namespace scw;
using namespace scw::test;

namespace {

// Plays the user at the folder browser from a timer inside its own loop: waits until the browser
// shows the folder it should (the one it was opened at, or the one the player highlights), then
// confirms or cancels. When the browser never shows that folder the player cancels and says so,
// rather than confirm the wrong folder.
struct BrowserPlayer {
    static inline std::wstring highlight;
    static inline std::wstring expected;
    static inline bool confirm = false;
    static inline bool done = false;
    static inline bool shownAsExpected = false;
    static inline int ticks = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (done) return;
        HWND browser = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM found) -> BOOL {
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (std::wstring(name) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&browser));
        if (!browser) return;
        if (ticks++ == 0 && !highlight.empty())
            ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(highlight.c_str()));
        shownAsExpected = JunkBrowserStartFolder() == expected;
        if (!shownAsExpected && ticks < 40) return;
        done = true;
        ::PostMessageW(browser, WM_COMMAND, MAKEWPARAM(confirm && shownAsExpected ? IDOK : IDCANCEL, BN_CLICKED), 0);
    }
};

class JunkPageTest : public testing::Test {
protected:
    void SetUp() override {
        JunkSearchBusy = 0;
        WriteFileText(root / L"A.TMP");
        WriteFileText(root / L"sub\\~$Book.xlsx");
        WriteFileText(root / L"sub\\Thumbs.db");  // row 43: not a default type
        WriteFileText(root / L"keep.txt");
        parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 640, 520, nullptr, nullptr, nullptr, nullptr);
        page = std::make_unique<CDlgJunk>();
        ASSERT_TRUE(page->Create(parent));
        auto record = [this](HWND, const wchar_t* text) { messages.emplace_back(text); };
        Scan().showMessage = record;
        Results().showMessage = record;
        Results().onProgressShown = [](CDialog& dialog) { ProgressCloser::dialog = dialog.GetSafeHwnd(); };
    }
    void TearDown() override {
        ::SetEvent(proceed.Get());  // a search still held must be able to end
        page.reset();
        ::DestroyWindow(parent);
        JunkSearchBusy = 0;
    }

    CDlgJunkScan& Scan() { return page->ScanPanel(); }
    CDlgJunkJunk& Results() { return page->ResultsPanel(); }
    static void Click(HWND dialog, int id) {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    // A skinned radio ticks on a release while the mouse rests on it, as a real click does.
    void ClickRadio(int id) {
        HWND radio = Scan().GetDlgItem(id);
        ::SendMessageW(radio, WM_MOUSEHOVER, 0, MAKELPARAM(4, 4));
        ::SendMessageW(radio, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        ::SendMessageW(radio, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    int TickedRows() {
        int ticked = 0;
        for (int row = 0; row < Scan().RowCount(); ++row) ticked += Scan().IsRowTicked(row) ? 1 : 0;
        return ticked;
    }
    // The panel's own visibility (the page and its host stay hidden in these tests).
    bool Visible(CDialog& dialog) { return (::GetWindowLongW(dialog.GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Enabled(int id) { return ::IsWindowEnabled(Scan().GetDlgItem(id)) != FALSE; }
    std::wstring ListText(int row, int column) {
        wchar_t text[MAX_PATH] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        ::SendMessageW(Results().List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    int RowOf(const std::wstring& file) {
        for (int row = 0; row < Results().ShownRows(); ++row)
            if (ListText(row, 0) == file) return row;
        return -1;
    }
    void SearchPlantedFolder() {
        ClickRadio(IDC_JUNK_CHOOSEDIR);
        // Typed without its backslash: the search adds it.
        const std::wstring typed = root.Path().substr(0, root.Path().size() - 1);
        ::SetWindowTextW(Scan().GetDlgItem(IDC_JUNK_PATH), typed.c_str());
        Click(Scan().GetSafeHwnd(), IDC_JUNK_SCANNOW);
        Results().Run().Wait();
        PumpMessages();
    }
    // Starts a search of the planted folder that holds on its first file until `proceed` is set;
    // true once it holds there, with the start shown.
    bool StartHeldSearch() {
        Results().onFound = [this](const JunkRow&) {
            ::SetEvent(held.Get());
            ::WaitForSingleObject(proceed.Get(), 10000);
        };
        ClickRadio(IDC_JUNK_CHOOSEDIR);
        ::SetWindowTextW(Scan().GetDlgItem(IDC_JUNK_PATH), root.Path().c_str());
        Click(Scan().GetSafeHwnd(), IDC_JUNK_SCANNOW);
        // The start is shown through the window thread before the walk finds anything.
        return WaitPumpingMessages(held.Get(), 10000);
    }
    void ClickTab(int x) {
        HWND strip = page->Tabs().GetSafeHwnd();
        ::SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
        ::SendMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
    }
    // Presses "Browser" and plays the user at the folder browser it opens.
    // False when the browser never showed the folder it should have.
    bool Browse(const std::wstring& highlight, const std::wstring& expected, bool confirm) {
        BrowserPlayer::highlight = highlight;
        BrowserPlayer::expected = expected;
        BrowserPlayer::confirm = confirm;
        BrowserPlayer::done = false;
        BrowserPlayer::ticks = 0;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, BrowserPlayer::Tick);
        Click(Scan().GetSafeHwnd(), IDC_JUNK_BROWSER);
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(BrowserPlayer::done) << "the browser opened";
        return BrowserPlayer::shownAsExpected;
    }
    std::wstring PathField() {
        wchar_t text[MAX_PATH] = {};
        ::GetWindowTextW(Scan().GetDlgItem(IDC_JUNK_PATH), text, MAX_PATH);
        return text;
    }
    void Select(int row) {
        LVITEMW select{};
        select.stateMask = select.state = LVIS_SELECTED;
        ::SendMessageW(Results().List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&select));
    }

    TempFolder root{L"junkpage"};
    HWND parent = nullptr;
    std::unique_ptr<CDlgJunk> page;
    std::vector<std::wstring> messages;
    UniqueKernelHandle held{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernelHandle proceed{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

}  // namespace

TEST_F(JunkPageTest, ScanPanelOpensOnTheDefaultsAndRefusesAScanWithoutTypesOrPath) {
    ASSERT_EQ(Scan().RowCount(), 45);
    for (int row = 0; row < 45; ++row) EXPECT_EQ(Scan().IsRowTicked(row), row < 12) << row;
    EXPECT_TRUE(Scan().DefaultChosen());
    EXPECT_TRUE(Scan().ScanAllDisks());
    EXPECT_FALSE(Enabled(IDC_JUNK_PATH));
    EXPECT_FALSE(Enabled(IDC_JUNK_BROWSER));
    EXPECT_TRUE(Visible(Scan()));
    EXPECT_FALSE(Visible(Results()));

    ClickRadio(IDC_JUNK_NONE);
    EXPECT_EQ(TickedRows(), 0);
    Click(Scan().GetSafeHwnd(), IDC_JUNK_SCANNOW);
    ClickRadio(IDC_JUNK_ALL);
    EXPECT_EQ(TickedRows(), 45);
    ClickRadio(IDC_JUNK_DEFAULT);
    EXPECT_EQ(TickedRows(), 12);

    ClickRadio(IDC_JUNK_CHOOSEDIR);
    EXPECT_FALSE(Scan().ScanAllDisks());
    EXPECT_TRUE(Enabled(IDC_JUNK_PATH));
    EXPECT_TRUE(Enabled(IDC_JUNK_BROWSER));
    Click(Scan().GetSafeHwnd(), IDC_JUNK_SCANNOW);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Please select at least one item of junk file type",
                                                   L"Please choose a path for cleaning junk files"}));
    EXPECT_EQ(Results().Run().Busy(), false) << "neither refusal starts a search";
    EXPECT_EQ(page->Tabs().GetCurrent(), 0);
}

TEST_F(JunkPageTest, ADevicePathTypedAsTheFolderIsRefusedWithTheReasonAndNothingIsSearched) {
    // Under Wine "\\?\unix\..." reaches the Linux host's files; this one names the planted folder.
    ClickRadio(IDC_JUNK_CHOOSEDIR);
    const std::wstring typed = L"\\\\?\\" + root.Path();
    ::SetWindowTextW(Scan().GetDlgItem(IDC_JUNK_PATH), typed.c_str());
    Click(Scan().GetSafeHwnd(), IDC_JUNK_SCANNOW);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with(L"Scourwell will not search \"" + typed + L"\" for junk files: a device path"))
        << std::string(messages[0].begin(), messages[0].end());
    EXPECT_FALSE(Results().Run().Busy());
    EXPECT_TRUE(Visible(Scan())) << "the scan panel stays";
    EXPECT_TRUE(FileExists(root / L"A.TMP"));
}

TEST_F(JunkPageTest, ScanNowOnAPlantedFolderListsItsJunkAndResetGoesBackToTheScanPanel) {
    SearchPlantedFolder();
    EXPECT_EQ(page->Tabs().GetCurrent(), 1);
    EXPECT_TRUE(Visible(Results()));
    EXPECT_FALSE(Visible(Scan()));
    ASSERT_EQ(Results().ShownRows(), 2);
    const int tmp = RowOf(L"a.tmp"), book = RowOf(L"~$book.xlsx");
    ASSERT_GE(tmp, 0);
    ASSERT_GE(book, 0);
    EXPECT_EQ(ListText(tmp, 1), root.Path());
    EXPECT_EQ(ListText(book, 1), root / L"sub\\");
    EXPECT_FALSE(Results().ButtonEnabled(CDlgJunkJunk::kStopId));
    EXPECT_TRUE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteId));
    EXPECT_TRUE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteAllId));
    EXPECT_EQ(JunkSearchBusy.load(), 0);
    EXPECT_TRUE(FileExists(root / L"A.TMP")) << "a search only looks";

    page->Reset();
    EXPECT_EQ(page->Tabs().GetCurrent(), 0);
    EXPECT_TRUE(Visible(Scan()));
    EXPECT_FALSE(Visible(Results()));
    EXPECT_TRUE(Scan().ScanAllDisks());
    EXPECT_FALSE(Enabled(IDC_JUNK_PATH));
    EXPECT_EQ(::GetWindowTextLengthW(Scan().GetDlgItem(IDC_JUNK_PATH)), 0);
    EXPECT_EQ(Results().ShownRows(), 0);
    EXPECT_EQ(TickedRows(), 12) << "the ticks stay as they were";
}

TEST_F(JunkPageTest, DeleteTakesTheTopmostSelectedRowAndDeleteAllEndsWithAnEmptyList) {
    WriteFileText(root / L"b.tmp");
    WriteFileText(root / L"c.tmp");
    ::SetFileAttributesW((root / L"A.TMP").c_str(), FILE_ATTRIBUTE_READONLY);
    SearchPlantedFolder();
    ASSERT_EQ(Results().ShownRows(), 4);

    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteId);  // nothing selected
    EXPECT_EQ(Results().ShownRows(), 4);
    EXPECT_TRUE(messages.empty());

    const int readOnly = RowOf(L"a.tmp");
    const int other = RowOf(L"b.tmp");
    Select(readOnly);
    Select(other);
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteId);
    const std::wstring first = readOnly < other ? L"a.tmp" : L"b.tmp";
    const std::wstring second = readOnly < other ? L"b.tmp" : L"a.tmp";
    EXPECT_FALSE(FileExists(root / first));
    EXPECT_TRUE(FileExists(root / second));
    EXPECT_EQ(Results().ShownRows(), 3);
    EXPECT_EQ(RowOf(first), -1);

    // A file deleted behind the list's back: Delete keeps its row and says so.
    ::DeleteFileW((root / L"c.tmp").c_str());
    Select(RowOf(L"c.tmp"));
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteId);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"For certain reasons,the file could not be removed by Scourwell"}));
    EXPECT_EQ(Results().ShownRows(), 3);

    // Delete all: the gone file and a locked one fail, the rest goes, the list ends empty.
    UniqueFileHandle locked(::CreateFileW((root / L"sub\\~$Book.xlsx").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    ProgressCloser::alertShown = false;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ProgressCloser::Tick);
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteAllId);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(ProgressCloser::alertShown);
    EXPECT_EQ(Results().Run().Deleted(), 1);
    EXPECT_EQ(Results().Run().Failed(), 2);
    EXPECT_EQ(Results().ShownRows(), 0);
    EXPECT_FALSE(FileExists(root / second));
    EXPECT_TRUE(FileExists(root / L"sub\\~$Book.xlsx"));
    EXPECT_TRUE(FileExists(root / L"sub\\Thumbs.db"));
    EXPECT_TRUE(FileExists(root / L"keep.txt"));
    EXPECT_FALSE(TakePendingRename(root / L"sub\\~$book.xlsx"));

    ProgressCloser::dialog = nullptr;
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteAllId);  // nothing left: no dialog
    EXPECT_EQ(ProgressCloser::dialog, nullptr);
}

// The deletion waits for its progress window; one that never opens must not hold the page for ever.
TEST_F(JunkPageTest, DeleteAllWhoseProgressDialogCannotOpenEndsDeletingNothingAndSaysSo) {
    SearchPlantedFolder();
    ASSERT_EQ(Results().ShownRows(), 2);
    {
        DialogsRefused refused;
        ASSERT_TRUE(refused);
        Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteAllId);
    }
    EXPECT_FALSE(Results().Run().Busy());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(FileExists(root / L"A.TMP"));
    EXPECT_TRUE(FileExists(root / L"sub\\~$Book.xlsx"));
    EXPECT_EQ(Results().ShownRows(), 2) << "the rows stay for another try";
    EXPECT_TRUE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteAllId));
}

TEST_F(JunkPageTest, WhileASearchRunsOnlyStopWorksAndStopEndsItKeepingTheRowsFound) {
    for (int i = 0; i < 20; ++i) WriteFileText(root / (L"many\\f" + std::to_wstring(i) + L".tmp"));
    ASSERT_TRUE(StartHeldSearch());
    EXPECT_EQ(JunkSearchBusy.load(), 1);
    EXPECT_TRUE(Results().ButtonEnabled(CDlgJunkJunk::kStopId));
    EXPECT_FALSE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteId));
    EXPECT_FALSE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteAllId));
    EXPECT_TRUE(Results().AnimationPlaying());
    ASSERT_TRUE(WaitUntil([&] { return Results().ShownRows() == 1; })) << "the list catches up meanwhile";

    // The Scan tab refuses, so the types cannot change under the search; Delete and Delete all
    // reached anyway do nothing.
    ClickTab(20);
    EXPECT_EQ(page->Tabs().GetCurrent(), 1);
    EXPECT_TRUE(Visible(Results()));
    EXPECT_FALSE(Visible(Scan()));
    Select(0);
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteId);
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kDeleteAllId);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(FileExists(root / L"A.TMP"));
    EXPECT_TRUE(FileExists(root / L"many\\f0.tmp"));

    // Stop, pressed while the first file is being kept: nothing more is found.
    Click(Results().GetSafeHwnd(), CDlgJunkJunk::kStopId);
    ::SetEvent(proceed.Get());
    ASSERT_TRUE(WaitUntil([&] { return !Results().Run().Busy(); }));
    PumpMessages();
    EXPECT_EQ(Results().ShownRows(), 1);
    EXPECT_EQ(JunkSearchBusy.load(), 0);
    EXPECT_FALSE(Results().ButtonEnabled(CDlgJunkJunk::kStopId));
    EXPECT_TRUE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteId));
    EXPECT_TRUE(Results().ButtonEnabled(CDlgJunkJunk::kDeleteAllId));
    EXPECT_FALSE(Results().AnimationPlaying());
    ClickTab(20);
    EXPECT_EQ(page->Tabs().GetCurrent(), 0) << "the tabs work again";
}

TEST_F(JunkPageTest, WindowsDestroyedInTheMiddleOfASearchEndItAndThePageGoesSafely) {
    for (int i = 0; i < 20; ++i) WriteFileText(root / (L"many\\f" + std::to_wstring(i) + L".tmp"));
    ASSERT_TRUE(StartHeldSearch());
    // As at program exit: the main window takes its pages' windows with it, their objects go later.
    ::DestroyWindow(parent);
    parent = nullptr;
    ::SetEvent(proceed.Get());
    ASSERT_TRUE(WaitUntil([&] { return !Results().Run().Busy(); }));
    EXPECT_EQ(Results().Rows().Size(), 1u) << "the search ended at its next entry";
    EXPECT_EQ(JunkSearchBusy.load(), 0);
    page.reset();
    EXPECT_TRUE(FileExists(root / L"many\\f0.tmp"));
}

TEST_F(JunkPageTest, TheFolderBrowserReopensAtTheFolderLastHighlightedAndFillsThePathField) {
    const std::wstring first = root / L"first", second = root / L"second";
    MakeFolders(first + L"\\");
    MakeFolders(second + L"\\");
    ClickRadio(IDC_JUNK_CHOOSEDIR);

    // Wine's browser now and then fails to select a folder it has not shown yet: show both once.
    Browse(first, first, false);
    Browse(second, second, false);

    // Opened at a folder given with its backslash, confirmed as it stands.
    SetJunkBrowserStartFolder(first + L"\\");
    ASSERT_TRUE(Browse(L"", first, true)) << "it opens at the folder given";
    EXPECT_EQ(PathField(), first);

    // Another folder highlighted, then Cancel: the field keeps its text, the browser the folder.
    ASSERT_TRUE(Browse(second, second, false));
    EXPECT_EQ(PathField(), first);
    EXPECT_EQ(JunkBrowserStartFolder(), second);
    ASSERT_TRUE(Browse(L"", second, true)) << "it reopens at the folder last highlighted";
    EXPECT_EQ(PathField(), second);
}
