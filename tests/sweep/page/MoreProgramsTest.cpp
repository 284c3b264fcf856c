// The rule files' category in the real sweep page: what it shows, the warning before a tick, and
// scans and deletions of its entries on a planted world, with what must survive beside them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "rules/RuleNodes.h"
#include "rules/RuleParser.h"
#include "state/ItemSets.h"
#include "state/RuleItemSets.h"
#include "state/RunFlags.h"
#include "state/Settings.h"
#include "sweep/page/DlgScan.h"
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
        page->Tree().confirmWarning = [this](HWND, const wchar_t* text, const wchar_t* caption) {
            warnings.push_back(std::wstring(caption) + L": " + text);
            return answer;
        };
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
