#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "engine/Catalogue.h"
#include "framework/IniFileRW.h"
#include "sweep/page/DlgOptionsChoose.h"
#include "rules/RuleNodes.h"
#include "state/ItemSets.h"
#include "state/RuleItemSets.h"
#include "sweep/page/TreeChecks.h"
#include "tests/rules/RuleWorld.h"
#include "tests/common/DpiHost.h"
#include "tests/common/TestSupport.h"
#include "tests/common/ScriptedModal.h"
#include "tests/common/Canvas.h"

namespace scw::test {
namespace {

// The real chooser, run modally; the script runs inside its modal loop once it is open.
class ScriptedChooser : public ScriptedModal<CDlgOptionsChoose, ScriptedChooser> {
public:
    using ScriptedModal::ScriptedModal;
    CheckState State(UINT id) const { return GetCheck(Tree(), RowOf(id)); }
    CheckState State(const CMyObject& node) const { return GetCheck(Tree(), RowOf(node)); }
    void Press(int id) { ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // A press on the row's check box, as the user ticks it.
    void ClickCheckBox(HTREEITEM row) {
        HWND tree = Tree();
        TreeView_EnsureVisible(tree, row);
        RECT text{};
        ASSERT_TRUE(TreeView_GetItemRect(tree, row, &text, TRUE));
        const int y = (text.top + text.bottom) / 2;
        for (int x = text.left - 1; x > 0; --x) {
            TVHITTESTINFO hit{};
            hit.pt = {x, y};
            if (TreeView_HitTest(tree, &hit) == row && (hit.flags & TVHT_ONITEMSTATEICON)) {
                ::SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                ::SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                return;
            }
        }
        FAIL() << "no check box on the row";
    }
};

class ChooserTest : public testing::Test {
protected:
    void SetUp() override { catalogue.Build(); }
    INT_PTR Run(std::function<void(ScriptedChooser&)> script, HWND owner = nullptr) {
        ScriptedChooser dialog(catalogue, settings);
        dialog.script = std::move(script);
        return dialog.DoModal(owner);
    }
    std::wstring Read(const wchar_t* section, const wchar_t* key) {
        return settings.ReadString(section, key, 64);
    }

    TempFolder folder{L"chooser"};
    CIniFileRW settings{CIniFileRW::ByPath{}, folder / L"setting.ini"};
    Catalogue catalogue;
};

TEST_F(ChooserTest, OpensWithTheTitleAndTheTreeOfTheCatalogue) {
    WriteItemSet(settings, ItemSet::OneClick, {104, 999, 130});
    Run([](ScriptedChooser& d) {
        wchar_t title[64] = {};
        ::GetWindowTextW(d.Window(), title, 64);
        EXPECT_STREQ(title, L"Set items for one-click erase ");
        EXPECT_EQ(::GetDlgCtrlID(d.Tree()), 10000);
        EXPECT_EQ(TreeView_GetCount(d.Tree()), 175u);
        EXPECT_EQ(d.CategoryRows().size(), 8u);
        // The last category is selected; only the known IDs are ticked.
        EXPECT_EQ(TreeView_GetSelection(d.Tree()), d.CategoryRows().back());
        EXPECT_EQ(d.State(104), Checked);
        EXPECT_EQ(d.State(130), Checked);
        EXPECT_EQ(d.State(105), Unchecked);
        EXPECT_EQ(d.State(103), PartlyChecked);
        EXPECT_EQ(d.RowOf(272), nullptr) << "no row for a Favorites item that no run could erase";
        // The tree fills the client area less 5 pixels at the sides and top and 50 at the bottom.
        RECT client{}, tree{};
        ::GetClientRect(d.Window(), &client);
        ::GetWindowRect(d.Tree(), &tree);
        ::MapWindowPoints(nullptr, d.Window(), reinterpret_cast<POINT*>(&tree), 2);
        EXPECT_EQ(tree.left, 5);
        EXPECT_EQ(tree.top, 5);
        EXPECT_EQ(client.right - tree.right, 5);
        EXPECT_EQ(client.bottom - tree.bottom, 50);
        d.Press(IDCANCEL);
    });
}

TEST_F(ChooserTest, ANeverWrittenSetShowsTheDefaultSet) {
    WriteItemSet(settings, ItemSet::Default, {104, 105, 130});
    settings.WriteInt(L"OneClickItem", L"OneClickItems", -1);
    Run([](ScriptedChooser& d) {
        EXPECT_EQ(d.State(104), Checked);
        EXPECT_EQ(d.State(105), Checked);
        EXPECT_EQ(d.State(130), Checked);
        EXPECT_EQ(d.State(106), Unchecked);
        d.Press(IDCANCEL);
    });
}

TEST_F(ChooserTest, SaveWithNothingTickedWritesZeroAndLeavesOldEntries) {
    WriteItemSet(settings, ItemSet::OneClick, {104, 105, 130});
    EXPECT_EQ(Run([](ScriptedChooser& d) {
                  d.Press(CDlgOptionsChoose::kSelectNoneId);
                  EXPECT_EQ(d.State(104), Unchecked);
                  EXPECT_EQ(d.State(102), Unchecked);
                  d.Press(IDOK);
              }),
              IDOK);
    EXPECT_EQ(Read(L"OneClickItem", L"OneClickItems"), L"0");
    EXPECT_EQ(Read(L"OneClickItem", L"item0"), L"104");
    EXPECT_EQ(Read(L"OneClickItem", L"item2"), L"130");
    EXPECT_TRUE(ReadItemSet(settings, ItemSet::OneClick).ids.empty());
}

TEST_F(ChooserTest, SaveWritesTheClickedItemsInDisplayOrder) {
    WriteItemSet(settings, ItemSet::OneClick, {130});
    Run([](ScriptedChooser& d) {
        // Tick program 103 with a click on its check box, as the user would.
        TreeView_Expand(d.Tree(), d.RowOf(102), TVE_EXPAND);
        d.ClickCheckBox(d.RowOf(103));
        EXPECT_EQ(d.State(103), Checked) << "toggled once, not twice";
        EXPECT_EQ(d.State(126), Checked);
        d.Press(IDOK);
    });
    std::vector<int> saved = ReadItemSet(settings, ItemSet::OneClick).ids;
    ASSERT_EQ(saved.size(), 24u);
    EXPECT_EQ(saved.front(), 104);
    EXPECT_EQ(saved[22], 126);
    EXPECT_EQ(saved.back(), 130);
}

TEST_F(ChooserTest, CancelWritesNothing) {
    WriteItemSet(settings, ItemSet::OneClick, {104});
    std::string before = ReadFileText(settings.Path());
    EXPECT_EQ(Run([](ScriptedChooser& d) {
                  d.Press(CDlgOptionsChoose::kSelectNoneId);
                  d.Press(IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(ReadFileText(settings.Path()), before);
}

// The pixels of a row's check box, as the tree paints it.
std::vector<COLORREF> CheckBoxPixels(ScriptedChooser& d, UINT itemId) {
    HWND tree = d.Tree();
    HTREEITEM row = d.RowOf(itemId);
    TreeView_EnsureVisible(tree, row);
    RECT client{}, text{};
    ::GetClientRect(tree, &client);
    TreeView_GetItemRect(tree, row, &text, TRUE);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_STATE), &cx, &cy);
    Canvas canvas(client.right, client.bottom);
    ::SendMessageW(tree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = std::max<int>(0, text.left - cx - 4); x < text.left; ++x) pixels.push_back(canvas.At(x, y));
    return pixels;
}

// The same dialog shown again makes its tree and check-box images again, and frees the last ones.
TEST_F(ChooserTest, OpenedTwiceInARowShowsItsTreeWithCheckBoxImagesBothTimes) {
    WriteItemSet(settings, ItemSet::OneClick, {104});
    ScriptedChooser dialog(catalogue, settings);
    HIMAGELIST lists[2] = {};
    std::vector<COLORREF> ticked[2], unticked[2];
    for (int showing = 0; showing < 2; ++showing) {
        dialog.script = [&](ScriptedChooser& d) {
            EXPECT_EQ(TreeView_GetCount(d.Tree()), 175u);
            EXPECT_EQ(d.CategoryRows().size(), 8u) << "the rows of the last showing are gone with its tree";
            EXPECT_EQ(TreeView_GetSelection(d.Tree()), d.CategoryRows().back());
            lists[showing] = TreeView_GetImageList(d.Tree(), TVSIL_STATE);
            EXPECT_EQ(ImageList_GetImageCount(lists[showing]), 4);
            EXPECT_EQ(d.State(104), Checked);
            EXPECT_EQ(d.State(105), Unchecked);
            ticked[showing] = CheckBoxPixels(d, 104);
            unticked[showing] = CheckBoxPixels(d, 105);
            d.Press(IDCANCEL);
        };
        EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    }
    EXPECT_NE(lists[0], lists[1]) << "each showing makes its own list";
    EXPECT_NE(ticked[1], unticked[1]) << "the check boxes are drawn";
    EXPECT_EQ(ticked[1], ticked[0]);
    EXPECT_EQ(unticked[1], unticked[0]);
}

// The places of the chooser's controls, and how big its check boxes are.
struct ChooserLook {
    SIZE client{};
    std::vector<RECT> controls;
    SIZE checks{};
};

ChooserLook LookOf(ScriptedChooser& d) {
    ChooserLook look;
    RECT client{};
    ::GetClientRect(d.Window(), &client);
    look.client = SIZE{client.right, client.bottom};
    for (int id : {CDlgOptionsChoose::kTreeId, IDOK, CDlgOptionsChoose::kSelectNoneId, IDCANCEL})
        look.controls.push_back(PlaceInParent(d.GetDlgItem(id)));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(TreeView_GetImageList(d.Tree(), TVSIL_STATE), &cx, &cy);
    look.checks = SIZE{cx, cy};
    return look;
}

// The rule files' category in the chooser: its entries tick like the catalogue's items, ask
// before a warned one is taken, and round-trip through [OneClickRuleItem] by name.
class ChooserRulesTest : public ChooserTest {
protected:
    void SetUp() override {
        MakeFolders(world.local + L"\\Planted\\");
        rules::RuleSet set;
        rules::ParseRuleText(
            L"[Planted Cache *]\nSection=Planted Browser\nDetectFile=%LocalAppData%\\Planted\n"
            L"FileKey1=%LocalAppData%\\Planted\\Cache|*.*|RECURSE\n"
            L"[Planted Cookies *]\nSection=Planted Browser\nDetectFile=%LocalAppData%\\Planted\n"
            L"Warning=This signs you out of every site.\nFileKey1=%LocalAppData%\\Planted|Cookies\n",
            L"test.ini", set.entries, set.problems);
        catalogue.Build();
        catalogue.Append(rules::BuildMorePrograms(set, world.env));
        CMyObject* last = catalogue.Head();
        while (last->next) last = last->next;
        category = last;
        program = category->firstChild;
        cache = program->firstChild;
        cookies = cache->nextSibling;
    }
    INT_PTR RunAnswering(int answer, std::function<void(ScriptedChooser&)> script) {
        ScriptedChooser dialog(catalogue, settings);
        dialog.confirmWarning = [this, answer](HWND, const wchar_t* text, const wchar_t*, UINT) {
            asked.push_back(text);
            return answer;
        };
        dialog.script = std::move(script);
        return dialog.DoModal(nullptr);
    }

    RuleWorld world;
    CMyObject* category = nullptr;
    CMyObject* program = nullptr;
    CMyObject* cache = nullptr;
    CMyObject* cookies = nullptr;
    std::vector<std::wstring> asked;
};

TEST_F(ChooserRulesTest, ListsTheEntriesAndSavesTheirTicksByNameBesideTheItems) {
    WriteItemSet(settings, ItemSet::OneClick, {104});
    WriteRuleItemSet(settings, ItemSet::OneClick, {L"planted cache", L"Gone Entry"});
    RunAnswering(IDCANCEL, [&](ScriptedChooser& d) {
        EXPECT_EQ(TreeView_GetCount(d.Tree()), 175u + 4u);
        ASSERT_EQ(d.CategoryRows().size(), 9u);
        wchar_t text[64] = {};
        TVITEMW item{TVIF_TEXT, d.CategoryRows().back()};
        item.pszText = text;
        item.cchTextMax = 64;
        TreeView_GetItem(d.Tree(), &item);
        EXPECT_STREQ(text, L"More Programs");
        EXPECT_EQ(d.State(*cache), Checked) << "saved names match whatever their letter case";
        EXPECT_EQ(d.State(*cookies), Unchecked);
        EXPECT_EQ(d.State(*program), PartlyChecked);
        EXPECT_EQ(d.State(104), Checked);

        d.ClickCheckBox(d.RowOf(*cookies));
        EXPECT_EQ(asked.size(), 1u);
        EXPECT_EQ(d.State(*cookies), Unchecked) << "Cancel on the warning leaves it unticked";
        d.Press(IDOK);
    });
    EXPECT_EQ(ReadRuleItemSet(settings, ItemSet::OneClick).names, (std::vector<std::wstring>{L"Planted Cache"}))
        << "the gone entry is forgotten";
    EXPECT_EQ(ReadItemSet(settings, ItemSet::OneClick).ids, (std::vector<int>{104})) << "the items' keys as before";

    RunAnswering(IDOK, [&](ScriptedChooser& d) {
        d.ClickCheckBox(d.RowOf(*cookies));
        EXPECT_EQ(d.State(*cookies), Checked);
        EXPECT_EQ(d.State(*program), Checked);
        d.Press(IDOK);
    });
    EXPECT_EQ(ReadRuleItemSet(settings, ItemSet::OneClick).names,
              (std::vector<std::wstring>{L"Planted Cache", L"Planted Cookies"}));
    RunAnswering(IDCANCEL, [&](ScriptedChooser& d) {
        EXPECT_EQ(d.State(*category), Checked) << "saved ticks come back, without a question";
        EXPECT_EQ(d.State(*cookies), Checked);
        d.Press(CDlgOptionsChoose::kSelectNoneId);
        d.Press(IDOK);
    });
    EXPECT_TRUE(ReadRuleItemSet(settings, ItemSet::OneClick).written);
    EXPECT_TRUE(ReadRuleItemSet(settings, ItemSet::OneClick).names.empty());
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(ChooserRulesTest, ANeverWrittenSetShowsTheDefaultEntriesAndAProgramTickAsksOnce) {
    WriteRuleItemSet(settings, ItemSet::Default, {L"Planted Cookies"});
    RunAnswering(IDNO, [&](ScriptedChooser& d) {
        EXPECT_EQ(d.State(*cookies), Checked);
        d.ClickCheckBox(d.RowOf(*cookies));  // unticking asks nothing
        EXPECT_TRUE(asked.empty());
        d.ClickCheckBox(d.RowOf(*program));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find(L"Planted Cookies: This signs you out"), std::wstring::npos);
        EXPECT_EQ(d.State(*cache), Checked);
        EXPECT_EQ(d.State(*cookies), Unchecked) << "No ticks the others only";
        d.Press(IDOK);
    });
    EXPECT_EQ(ReadRuleItemSet(settings, ItemSet::OneClick).names, (std::vector<std::wstring>{L"Planted Cache"}));
}

class ChooserDpiTest : public ChooserTest, public testing::WithParamInterface<int> {};

// Opened from a main window shown at a DPI, the chooser is laid out at that DPI: the template's
// layout at its owner's scale, its text in a font for it, its check boxes drawn for it.
TEST_P(ChooserDpiTest, IsLaidOutAtItsOwnersScale) {
    const Dpi dpi(GetParam());
    ChooserLook at96;
    Run([&](ScriptedChooser& d) {
        at96 = LookOf(d);
        d.Press(IDCANCEL);
    });
    DpiHost owner(dpi);
    Run(
        [&](ScriptedChooser& d) {
            EXPECT_EQ(d.ShownDpi(), dpi);
            const ChooserLook look = LookOf(d);
            EXPECT_LE(std::abs(look.client.cx - dpi.Scale(at96.client.cx)), 1);
            EXPECT_LE(std::abs(look.client.cy - dpi.Scale(at96.client.cy)), 1);
            for (size_t i = 0; i < look.controls.size(); ++i) {
                const RECT wanted = dpi.Scale(at96.controls[i]);
                EXPECT_LE(std::abs(look.controls[i].left - wanted.left), 1) << i;
                EXPECT_LE(std::abs(look.controls[i].top - wanted.top), 1) << i;
                EXPECT_LE(std::abs(look.controls[i].right - wanted.right), 1) << i;
                EXPECT_LE(std::abs(look.controls[i].bottom - wanted.bottom), 1) << i;
            }
            EXPECT_EQ(look.checks.cx, dpi.Scale(at96.checks.cx));
            EXPECT_EQ(ExpectTextFits(d.Window()), 3) << "Save, Select None and Cancel";
            // Ticking still works where the scaled check box is drawn.
            HWND tree = d.Tree();
            HTREEITEM row = d.CategoryRows().front();
            RECT text{};
            TreeView_GetItemRect(tree, row, &text, TRUE);
            const LPARAM at = MAKELPARAM(text.left - look.checks.cx / 2, (text.top + text.bottom) / 2);
            ::SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::SendMessageW(tree, WM_LBUTTONUP, 0, at);
            EXPECT_EQ(GetCheck(tree, row), Checked);
            d.Press(IDCANCEL);
        },
        owner.Get());
}

INSTANTIATE_TEST_SUITE_P(Scales, ChooserDpiTest, testing::ValuesIn(TestDpis()),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace scw::test
