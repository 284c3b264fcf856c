// What a screen reader reads of every page, asked the way readers ask (AccessibleObjectFromWindow).
// The controls that draw themselves answer with their own objects; platform controls get the
// system's proxies, which under Wine name a control by its text but call every one a "client", so
// their roles are judged by class and style.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "WindowFixture.h"
#include "app/DlgOptions.h"
#include "junk/page/DlgJunk.h"
#include "res/junk.h"
#include "res/options.h"
#include "res/resource.h"
#include "shred/page/DlgShred.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

struct Reading {
    std::wstring name, description;
    long role = 0, state = 0, children = 0;
};

class ReadAloud {
public:
    explicit ReadAloud(HWND window) {
        ::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object_));
    }
    ~ReadAloud() {
        if (object_) object_->Release();
    }
    explicit operator bool() const { return object_ != nullptr; }
    Reading Read(long child = CHILDID_SELF) const {
        Reading r;
        VARIANT id{};
        id.vt = VT_I4;
        id.lVal = child;
        BSTR text = nullptr;
        if (object_->get_accName(id, &text) == S_OK && text) r.name = text;
        ::SysFreeString(text);
        text = nullptr;
        if (object_->get_accDescription(id, &text) == S_OK && text) r.description = text;
        ::SysFreeString(text);
        VARIANT value{};
        if (SUCCEEDED(object_->get_accRole(id, &value)) && value.vt == VT_I4) r.role = value.lVal;
        VariantInit(&value);
        if (SUCCEEDED(object_->get_accState(id, &value)) && value.vt == VT_I4) r.state = value.lVal;
        if (child == CHILDID_SELF) object_->get_accChildCount(&r.children);
        return r;
    }

private:
    IAccessible* object_ = nullptr;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

bool IsOneOf(int id, std::initializer_list<int> ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

// The role a reader should hear, from what the control is; `ours` says whether our own object
// answers (else Wine's proxy, which says "client").
long ExpectedRole(HWND control, bool& ours) {
    const std::wstring cls = ClassOf(control);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    const int id = ::GetDlgCtrlID(control);
    ours = true;
    if (cls == L"ScourwellSkinTab") return ROLE_SYSTEM_PAGETABLIST;
    if (cls == L"SysTreeView32") return ROLE_SYSTEM_OUTLINE;
    if (cls == L"SysListView32") {
        ours = id != CDlgJunkScan::kTypeListId;
        return ROLE_SYSTEM_LIST;
    }
    if (cls == L"Static") {
        if (id == IDC_MAIN_HOMELINK) return ROLE_SYSTEM_LINK;
        if (IsOneOf(id, {CDlgScan::kAnimation, IDC_JUNK_ANIMATION})) return ROLE_SYSTEM_ANIMATION;
        ours = false;
        return ROLE_SYSTEM_STATICTEXT;
    }
    if (cls == L"Button") {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX: return ROLE_SYSTEM_GROUPING;
        case BS_OWNERDRAW:
            if (IsOneOf(id, {IDC_JUNK_ALLDISKS, IDC_JUNK_CHOOSEDIR, IDC_JUNK_DEFAULT, IDC_JUNK_ALL, IDC_JUNK_NONE,
                             CDlgShred::kQuick, CDlgShred::kSafe, CDlgShred::kThorough, IDC_OPT_EXIT, IDC_OPT_TRAY}))
                return ROLE_SYSTEM_RADIOBUTTON;
            if (IsOneOf(id, {IDC_OPT_RUN_AT_STARTUP, IDC_OPT_AUTO_UPDATE, IDC_OPT_OVERWRITE, IDC_OPT_SCAN_EVERY}))
                return ROLE_SYSTEM_CHECKBUTTON;
            return ROLE_SYSTEM_PUSHBUTTON;
        default:
            ours = false;
            return ROLE_SYSTEM_PUSHBUTTON;
        }
    }
    ours = false;
    if (cls == L"Edit") return ROLE_SYSTEM_TEXT;
    if (cls == L"ComboBox") return ROLE_SYSTEM_COMBOBOX;
    if (cls == L"msctls_progress32") return ROLE_SYSTEM_PROGRESSBAR;
    return ROLE_SYSTEM_CLIENT;
}

// What the system's proxy names a control without text by: the label just before it.
std::wstring LabelBefore(HWND control) {
    HWND previous = ::GetWindow(control, GW_HWNDPREV);
    if (!previous || ClassOf(previous) != L"Static") return {};
    wchar_t text[128] = {};
    ::GetWindowTextW(previous, text, 128);
    return text;
}

std::vector<HWND> VisibleControls(HWND main) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            // Controls of the window, its pages and panels; a list's header or a combo box's edit
            // are parts their control reads out.
            HWND parent = ::GetParent(child);
            const bool ofADialog = ClassOf(parent) == L"#32770" || parent == ::GetAncestor(child, GA_ROOT);
            if (::IsWindowVisible(child) && ofADialog && ClassOf(child) != L"#32770")
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

class AccessibilityTest : public MainWindowTest {
protected:
    ComScope com_;
};

TEST_F(AccessibilityTest, EveryVisibleControlOfEveryPageHasANameAndTheRightRole) {
    CLumeDlg& w = Open();
    for (int page : {kPageScan, kPageJunk, kPageShred, kPageOptions}) {
        w.ShowPage(page);
        PumpMessages(50);
        const std::vector<HWND> controls = VisibleControls(Window());
        EXPECT_GT(controls.size(), 8u);
        for (HWND control : controls) {
            const std::wstring cls = ClassOf(control);
            SCOPED_TRACE(testing::Message() << "page " << page << ", control " << ::GetDlgCtrlID(control) << " "
                                            << std::string(cls.begin(), cls.end()));
            ReadAloud reader(control);
            ASSERT_TRUE(reader);
            const Reading r = reader.Read();
            bool ours = false;
            const long role = ExpectedRole(control, ours);
            if (ours)
                EXPECT_EQ(r.role, role);
            else
                EXPECT_TRUE(r.role == role || r.role == ROLE_SYSTEM_CLIENT) << r.role;
            const bool namedByLabel = !ours && (role == ROLE_SYSTEM_TEXT || role == ROLE_SYSTEM_LIST);
            EXPECT_FALSE(namedByLabel ? LabelBefore(control).empty() && r.name.empty() : r.name.empty());
            if (ours) {
                EXPECT_FALSE(r.state & STATE_SYSTEM_INVISIBLE);
            }
        }
    }
}

TEST_F(AccessibilityTest, StripTreeListAndChoicesTellTheirParts) {
    CLumeDlg& w = Open();
    // The strip: four page tabs, the shown one selected and, with the strip focused, focused.
    HWND strip = ::GetDlgItem(Window(), IDC_MAIN_TAB);
    ::SetFocus(strip);
    ReadAloud tabs(strip);
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs.Read().children, 4);
    const wchar_t* names[] = {L"Privacy Sweep", L"Junk Cleaner", L"Shredder", L"Settings"};
    for (long i = 1; i <= 4; ++i) {
        const Reading tab = tabs.Read(i);
        EXPECT_EQ(tab.name, names[i - 1]);
        EXPECT_EQ(tab.role, ROLE_SYSTEM_PAGETAB);
        EXPECT_EQ((tab.state & STATE_SYSTEM_SELECTED) != 0, i == 1);
        EXPECT_EQ((tab.state & STATE_SYSTEM_FOCUSED) != 0, i == 1);
    }

    // The item tree: each row's text and tick.
    CDlgScan& sweep = w.ScanPage();
    sweep.Tree().UncheckAll();
    HWND tree = sweep.Tree().GetSafeHwnd();
    HTREEITEM first = TreeView_GetRoot(tree);
    HTREEITEM child = TreeView_GetChild(tree, first);
    ASSERT_NE(child, nullptr);
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = child;
    TreeView_GetItem(tree, &item);
    auto* program = reinterpret_cast<CMyObject*>(item.lParam);
    ASSERT_NE(program, nullptr);
    TreeView_Expand(tree, first, TVE_EXPAND);
    sweep.Tree().ApplyItemSet({static_cast<int>(program->itemId)});
    ReadAloud rows(tree);
    const Reading top = rows.Read(1), second = rows.Read(2);
    EXPECT_EQ(rows.Read().name, L"Items to sweep");
    EXPECT_FALSE(top.name.empty());
    EXPECT_EQ(second.name, program->displayName);
    EXPECT_EQ(second.role, ROLE_SYSTEM_OUTLINEITEM);
    EXPECT_TRUE(second.state & STATE_SYSTEM_CHECKED);
    const bool alone = program->nextSibling == nullptr;
    EXPECT_EQ((top.state & STATE_SYSTEM_MIXED) != 0, !alone) << "a partly ticked category reads as mixed";

    // The shredder's list: a row reads with its columns.
    TempFolder files(L"reader");
    const std::wstring path = files / L"notes.txt";
    WriteFileText(path, "12345");
    w.ShowPage(kPageShred);
    w.ShredPage().AddPath(path);
    ReadAloud list(w.ShredPage().List());
    EXPECT_EQ(list.Read().name, L"Files to shred");
    EXPECT_EQ(list.Read().children, 1);
    const Reading row = list.Read(1);
    EXPECT_EQ(row.name, L"notes.txt");
    EXPECT_EQ(row.role, ROLE_SYSTEM_LISTITEM);
    EXPECT_NE(row.description.find(L"Size in bytes: 5"), std::wstring::npos) << std::string(row.description.begin(), row.description.end());

    // The settings page's close choice: the ticked radio reads checked, the other not.
    w.ShowPage(kPageOptions);
    ReadAloud exitChoice(w.OptionsPage().GetDlgItem(IDC_OPT_EXIT)), trayChoice(w.OptionsPage().GetDlgItem(IDC_OPT_TRAY));
    EXPECT_EQ(exitChoice.Read().name, L"Exit");
    EXPECT_FALSE(exitChoice.Read().state & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(trayChoice.Read().state & STATE_SYSTEM_CHECKED);
}

std::vector<std::pair<DWORD, HWND>>* heard = nullptr;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (heard && object == OBJID_CLIENT) heard->emplace_back(event, window);
}

TEST_F(AccessibilityTest, TickingACheckBoxAndChangingPagesRaiseTheEventsReadersListenTo) {
    CLumeDlg& w = Open();
    w.ShowPage(kPageOptions);
    // Leaving the page with the changed tick asks to save: the answer is no.
    w.OptionsPage().askUser = [](HWND, const wchar_t*, const wchar_t*) { return IDCANCEL; };
    std::vector<std::pair<DWORD, HWND>> events;
    heard = &events;
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, Listen,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);

    HWND box = w.OptionsPage().GetDlgItem(IDC_OPT_RUN_AT_STARTUP);
    ::SendMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ::SendMessageW(box, WM_MOUSEHOVER, 0, MAKELPARAM(3, 3));
    ::SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    HWND strip = ::GetDlgItem(Window(), IDC_MAIN_TAB);
    ::SendMessageW(strip, WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages(200);
    ::UnhookWinEvent(hook);
    heard = nullptr;

    auto raised = [&](DWORD event, HWND window) {
        return std::find(events.begin(), events.end(), std::pair{event, window}) != events.end();
    };
    EXPECT_TRUE(raised(EVENT_OBJECT_STATECHANGE, box)) << "the tick changed";
    EXPECT_TRUE(raised(EVENT_OBJECT_SELECTION, strip)) << "another page tab was chosen";
    EXPECT_EQ(w.CurrentPage(), kPageJunk);
}

}  // namespace
}  // namespace scw::test
