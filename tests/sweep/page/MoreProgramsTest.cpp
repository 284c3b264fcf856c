// The rule files' category in the real sweep page: what it shows, the warning before a tick, and
// scans and deletions of its entries on a planted world, with what must survive beside them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "controls/SkinDraw.h"
#include "res/resource.h"
#include "rules/RuleNodes.h"
#include "rules/RuleParser.h"
#include "state/ItemSets.h"
#include "state/RuleItemSets.h"
#include "state/RunFlags.h"
#include "state/Settings.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/Canvas.h"
#include "tests/common/ProgressCloser.h"
#include "tests/common/TestSupport.h"
#include "tests/rules/RuleWorld.h"

using namespace scw;
using namespace scw::test;

namespace {

struct NoTray : TrayActivity {
    void StartTrayActivity(const std::wstring&, const std::wstring&) override {}
    void StopTrayActivity(const std::wstring&, const std::wstring&) override {}
};

constexpr wchar_t kRules[] =
    L"[Planted Cache *]\nSection=Planted Browser\nDetectFile=%LocalAppData%\\Planted\n"
    L"FileKey1=%LocalAppData%\\Planted\\Cache|*.*|RECURSE\n"
    L"[Planted Cookies *]\nSection=Planted Browser\nDetectFile=%LocalAppData%\\Planted\n"
    L"Warning=This signs you out of every site.\nFileKey1=%LocalAppData%\\Planted|Cookies\n"
    L"[Absent Tool *]\nSection=Absent\nDetectFile=%LocalAppData%\\Nowhere\nFileKey1=%LocalAppData%\\Nowhere|*.*\n";

class MoreProgramsTest : public testing::Test {
protected:
    void SetUp() override {
        SweepBusy = 0;
        SweepDeleting = 0;
        EnsureDefaultSettings(settings);
        // No catalogue item is ticked: the runs touch the planted world only.
        for (ItemSet set : {ItemSet::Recent, ItemSet::OneClick}) WriteItemSet(settings, set, {});
        WriteFileText(planted + L"\\Cache\\one.bin");
        WriteFileText(planted + L"\\Cache\\sub\\two.bin");
        WriteFileText(planted + L"\\Cookies");
        WriteFileText(planted + L"\\Bookmarks");
        rules::ParseRuleText(kRules, L"test.ini", set.entries, set.problems);
        catalogue.Build();
        catalogue.Append(rules::BuildMorePrograms(set, world.env));
        parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 700, 560, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        page.reset();
        ::DestroyWindow(parent);
        SweepBusy = 0;
    }

    void OpenPage() {
        page = std::make_unique<CDlgScan>(tray, catalogue, settings, world.env);
        page->Tree().confirmWarning = [this](HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
            warnings.push_back(std::wstring(caption) + L": " + text);
            types.push_back(type & MB_TYPEMASK);
            return answer;
        };
        page->askUser = [](HWND, const wchar_t*, const wchar_t*) { return IDYES; };
        page->onProgressShown = [](CDialog& dialog) { ProgressCloser::dialog = dialog.GetSafeHwnd(); };
        ASSERT_TRUE(page->Create(parent));
    }
    CMyObject* Category() {
        CMyObject* last = catalogue.Head();
        while (last && last->next) last = last->next;
        return last;
    }
    CMyObject* Item(const wchar_t* name) {
        CMyObject* found = nullptr;
        catalogue.ForEach([&](CMyObject* node) {
            if (rules::RuleOf(*node) && node->displayName == name) found = node;
        });
        return found;
    }
    // A press of the mouse on the row's check box, as the user ticks it.
    void ClickCheckBox(const CMyObject& node) {
        HWND tree = page->Tree().GetSafeHwnd();
        HTREEITEM row = page->Tree().RowOf(node);
        TreeView_EnsureVisible(tree, row);
        RECT text{};
        ASSERT_TRUE(TreeView_GetItemRect(tree, row, &text, TRUE));
        for (int x = 0; x < text.left; ++x) {
            TVHITTESTINFO hit{};
            hit.pt = POINT{x, (text.top + text.bottom) / 2};
            if (TreeView_HitTest(tree, &hit) == row && (hit.flags & TVHT_ONITEMSTATEICON)) {
                ::SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
                ::SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
                return;
            }
        }
        FAIL() << "no check box on the row";
    }
    void Click(int id) {
        ::SendMessageW(page->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(page->GetSafeHwnd(), id)));
    }

    RuleWorld world;
    std::wstring planted = world.local + L"\\Planted";
    CIniFileRW settings{CIniFileRW::ByPath{}, world.temp / L"setting.ini"};
    rules::RuleSet set;
    Catalogue catalogue;
    NoTray tray;
    HWND parent = nullptr;
    std::unique_ptr<CDlgScan> page;
    std::vector<std::wstring> warnings;
    std::vector<UINT> types;
    int answer = IDCANCEL;
};

}  // namespace

TEST_F(MoreProgramsTest, TheCategoryShowsDetectedEntriesOnlyAndAWarningCanRefuseTheTick) {
    int catalogueNodes = 0;
    catalogue.ForEach([&](CMyObject* node) { catalogueNodes += node->itemId != 0; });
    EXPECT_EQ(catalogueNodes, 175) << "the catalogue's own nodes stay as they are";
    CMyObject* category = Category();
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->displayName, L"More Programs");
    ASSERT_NE(category->firstChild, nullptr);
    EXPECT_EQ(category->firstChild->displayName, L"Planted Browser");
    EXPECT_EQ(category->firstChild->nextSibling, nullptr) << "a group without a detected entry has no node";
    EXPECT_NE(Item(L"Planted Cache"), nullptr);
    EXPECT_EQ(Item(L"Absent Tool"), nullptr);

    OpenPage();
    CMyTreeCtrl& tree = page->Tree();
    ASSERT_NE(tree.RowOf(*category), nullptr);
    TreeView_Expand(tree.GetSafeHwnd(), tree.RowOf(*category), TVE_EXPAND);
    TreeView_Expand(tree.GetSafeHwnd(), tree.RowOf(*category->firstChild), TVE_EXPAND);
    CMyObject& cookies = *Item(L"Planted Cookies");

    ClickCheckBox(cookies);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], L"Planted Cookies: This signs you out of every site.");
    EXPECT_EQ(tree.GetCheck(cookies), Unchecked) << "Cancel leaves it unticked";

    answer = IDOK;
    ClickCheckBox(cookies);
    EXPECT_EQ(tree.GetCheck(cookies), Checked);
    EXPECT_EQ(tree.GetCheck(*category->firstChild), PartlyChecked);
    ClickCheckBox(cookies);  // unticking asks nothing
    EXPECT_EQ(tree.GetCheck(cookies), Unchecked);
    ClickCheckBox(*Item(L"Planted Cache"));  // nor does an entry without a warning
    EXPECT_EQ(warnings.size(), 2u);

    Click(CDlgScan::kSelectNone);
    EXPECT_EQ(tree.GetCheck(*category), Unchecked);
    WriteRuleItemSet(settings, ItemSet::Default, {L"planted cookies", L"Gone Entry"});
    Click(CDlgScan::kSelectDefault);
    EXPECT_EQ(tree.GetCheck(cookies), Checked) << "the default set's names, letter case ignored";
    EXPECT_EQ(tree.GetCheck(*Item(L"Planted Cache")), Unchecked);
    EXPECT_EQ(warnings.size(), 2u) << "a saved set was agreed to when it was chosen";
}

// A tick of a program, of the category or Select All takes warned entries only after one
// question that names them: Yes ticks them too, No ticks the rest, Cancel ticks nothing.
TEST_F(MoreProgramsTest, BulkTicksAskOnceAboutWarnedEntries) {
    OpenPage();
    CMyTreeCtrl& tree = page->Tree();
    CMyObject& category = *Category();
    CMyObject& program = *category.firstChild;
    CMyObject& cookies = *Item(L"Planted Cookies");
    CMyObject& cache = *Item(L"Planted Cache");

    ClickCheckBox(program);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(types[0], static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_NE(warnings[0].find(L"Planted Cookies: This signs you out of every site."), std::wstring::npos);
    EXPECT_EQ(warnings[0].find(L"Planted Cache"), std::wstring::npos) << "only the warned entries are listed";
    EXPECT_EQ(tree.GetCheck(program), Unchecked) << "Cancel ticks nothing";
    EXPECT_EQ(tree.GetCheck(cache), Unchecked);

    answer = IDNO;
    ClickCheckBox(program);
    EXPECT_EQ(tree.GetCheck(cache), Checked);
    EXPECT_EQ(tree.GetCheck(cookies), Unchecked) << "No ticks the others only";
    EXPECT_EQ(tree.GetCheck(program), PartlyChecked);
    EXPECT_EQ(tree.GetCheck(category), PartlyChecked);

    answer = IDYES;
    ClickCheckBox(category);  // a partly ticked row becomes ticked: the question comes again
    EXPECT_EQ(warnings.size(), 3u);
    EXPECT_EQ(tree.GetCheck(cookies), Checked);
    EXPECT_EQ(tree.GetCheck(category), Checked);
    ClickCheckBox(category);
    EXPECT_EQ(tree.GetCheck(cookies), Unchecked);
    EXPECT_EQ(warnings.size(), 3u) << "unticking asks nothing";

    // Select All: its own question, then one about the warned entries; No keeps them unticked.
    answer = IDNO;
    Click(CDlgScan::kSelectAll);
    EXPECT_EQ(warnings.size(), 4u);
    EXPECT_EQ(tree.GetCheck(cache), Checked);
    EXPECT_EQ(tree.GetCheck(cookies), Unchecked);
    EXPECT_EQ(tree.GetCheck(*catalogue.Head()), Checked) << "the catalogue's categories are all ticked";
    EXPECT_EQ(tree.GetCheck(category), PartlyChecked);
    answer = IDCANCEL;
    Click(CDlgScan::kSelectNone);
    Click(CDlgScan::kSelectAll);
    EXPECT_EQ(tree.GetCheck(*catalogue.Head()), Unchecked) << "Cancel leaves the tree as it was";

    // Space on the selected program row asks the same.
    TreeView_SelectItem(tree.GetSafeHwnd(), tree.RowOf(program));
    ::SendMessageW(tree.GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(warnings.size(), 6u);
    EXPECT_EQ(tree.GetCheck(program), Unchecked);
}

TEST_F(MoreProgramsTest, ScanFindsATickedEntrysFilesAndDeleteAllRemovesThemOnly) {
    WriteRuleItemSet(settings, ItemSet::Recent, {L"Planted Cache"});
    OpenPage();
    EXPECT_EQ(page->Tree().GetCheck(*Item(L"Planted Cache")), Checked) << "the recent set comes back ticked";
    Click(CDlgScan::kScan);
    page->Run()->Wait();
    PumpMessages();
    ASSERT_EQ(page->Rows().Size(), 2u);
    EXPECT_EQ(page->Rows().At(0)->item, L"Planted Cache");
    EXPECT_EQ(Item(L"Planted Cache")->traceCount, 2);
    EXPECT_EQ(ReadRuleItemSet(settings, ItemSet::Recent).names, (std::vector<std::wstring>{L"Planted Cache"}));
    EXPECT_TRUE(ReadItemSet(settings, ItemSet::Recent).ids.empty()) << "no ID of a rule item among the catalogue's";

    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ProgressCloser::Tick);
    Click(CDlgScan::kDeleteAll);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(FileExists(planted + L"\\Cache\\one.bin"));
    EXPECT_FALSE(FileExists(planted + L"\\Cache\\sub\\two.bin"));
    EXPECT_TRUE(FileExists(planted + L"\\Cookies")) << "an unticked entry's file";
    EXPECT_TRUE(FileExists(planted + L"\\Bookmarks")) << "the sentinel beside them";
    EXPECT_EQ(page->Run()->Tally().deleted, 2);
}

TEST_F(MoreProgramsTest, OneClickEraseDeletesTheOneClickSetsEntries) {
    WriteRuleItemSet(settings, ItemSet::OneClick, {L"Planted Cookies"});
    OpenPage();
    page->StartOneClickErase();
    page->Run()->Wait();
    PumpMessages();
    EXPECT_TRUE(warnings.empty()) << "a saved set was agreed to when it was chosen";
    EXPECT_FALSE(FileExists(planted + L"\\Cookies"));
    EXPECT_TRUE(FileExists(planted + L"\\Cache\\one.bin"));
    EXPECT_TRUE(FileExists(planted + L"\\Bookmarks"));
}

// The category and its programs have icons of their own in the tree's strip, drawn for each of the
// skin's three scales: in a cyan of their own that no catalogue icon has, cut at whole cells.
TEST(MoreProgramsIcons, AreTheirOwnAtEveryDrawnScale) {
    constexpr int kIcons = 39;
    const auto cyan = [](const Canvas& canvas, int size) {
        int n = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const COLORREF c = canvas.At(x, y);
                const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
                n += r < 30 && g > 110 && b > g + 20 && b < g + 70;
            }
        return n;
    };
    for (int value : {96, 144, 192}) {
        const Dpi dpi(value);
        const int cell = dpi.Scale(16);
        EXPECT_EQ(BitmapSize(LoadSkinBitmap(IDB_TREE_ICONS, dpi).Get()).cx, kIcons * cell) << value;
        UniqueImageList list = LoadSkinImageStrip(IDB_TREE_ICONS, 16, 16, kIcons, kSkinKeyColor, dpi);
        ASSERT_TRUE(list) << value;
        ASSERT_EQ(::ImageList_GetImageCount(list.Get()), kIcons) << value;
        std::vector<int> cyanPixels;
        for (int i = 0; i < kIcons; ++i) {
            Canvas canvas(cell, cell);
            RECT all{0, 0, cell, cell};
            ::FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            ::ImageList_Draw(list.Get(), i, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
            cyanPixels.push_back(cyan(canvas, cell));
        }
        EXPECT_GT(cyanPixels[rules::kMoreProgramsIcon], cell * cell / 12) << value;
        EXPECT_GT(cyanPixels[rules::kRuleProgramIcon], cell * cell / 4) << value << ": a filled tile";
        for (int i = 0; i < 37; ++i) EXPECT_EQ(cyanPixels[i], 0) << "catalogue icon " << i << " at " << value;
    }
}
