#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>

#include "engine/Catalogue.h"
#include "sweep/page/TreeChecks.h"

using namespace scw;

namespace {

// A real tree view with check boxes, one row per catalogue node.
class TreeChecksTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        tree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASBUTTONS, 0, 0, 300, 600,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(tree, nullptr);
        // Added after creation, as the platform documents, so the check-box images are made.
        ::SetWindowLongW(tree, GWL_STYLE, ::GetWindowLongW(tree, GWL_STYLE) | TVS_CHECKBOXES);
        catalogue.Build();
        for (CMyObject* c = catalogue.Head(); c; c = c->next) Insert(c, TVI_ROOT);
    }
    void TearDown() override { ::DestroyWindow(tree); }

    void Insert(CMyObject* node, HTREEITEM parent) {
        TVINSERTSTRUCTW ins{};
        ins.hParent = parent;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        ins.item.pszText = node->displayName.data();
        ins.item.lParam = reinterpret_cast<LPARAM>(node);
        ins.item.stateMask = TVIS_STATEIMAGEMASK;
        ins.item.state = INDEXTOSTATEIMAGEMASK(Unchecked);
        HTREEITEM row = TreeView_InsertItem(tree, &ins);
        rows[node->itemId] = row;
        for (CMyObject* child = node->firstChild; child; child = child->nextSibling) Insert(child, row);
    }

    CheckState State(UINT id) { return GetCheck(tree, rows.at(id)); }
    void Set(UINT id, CheckState s) { SetCheck(tree, rows.at(id), s, true); }

    HWND tree = nullptr;
    Catalogue catalogue;
    std::map<UINT, HTREEITEM> rows;
};

}  // namespace

TEST_F(TreeChecksTest, OneItemMakesItsProgramAndCategoryPartlyChecked) {
    EXPECT_EQ(State(104), Unchecked);
    Set(104, Checked);
    EXPECT_EQ(State(104), Checked);
    EXPECT_EQ(State(103), PartlyChecked);
    EXPECT_EQ(State(102), PartlyChecked);
    EXPECT_EQ(State(127), Unchecked);
}

TEST_F(TreeChecksTest, TheLastItemSettlesProgramAndCategory) {
    // Program 204 has the single item 205; category 171 has three programs.
    Set(205, Checked);
    EXPECT_EQ(State(204), Checked);
    EXPECT_EQ(State(171), PartlyChecked);
    Set(182, Checked);
    EXPECT_EQ(State(183), Checked);
    Set(191, Checked);
    Set(192, Checked);
    EXPECT_EQ(State(190), PartlyChecked);
    Set(193, Checked);
    EXPECT_EQ(State(190), Checked);
    EXPECT_EQ(State(171), Checked);
}

TEST_F(TreeChecksTest, ClickingAPartlyCheckedProgramTicksThenUnticksItsItems) {
    Set(129, Checked);
    ASSERT_EQ(State(128), PartlyChecked);
    RECT r{};
    TreeView_EnsureVisible(tree, rows[128]);
    ASSERT_TRUE(TreeView_GetItemRect(tree, rows[128], &r, TRUE));
    // The state icon lies just left of the text.
    POINT onBox{r.left - 8, (r.top + r.bottom) / 2};
    ASSERT_TRUE(ToggleCheckAt(tree, onBox));
    EXPECT_EQ(State(128), Checked);
    EXPECT_EQ(State(141), Checked);
    EXPECT_EQ(State(127), PartlyChecked);

    ASSERT_TRUE(ToggleCheckAt(tree, onBox));
    EXPECT_EQ(State(128), Unchecked);
    EXPECT_EQ(State(129), Unchecked);
    EXPECT_EQ(State(127), Unchecked);

    POINT onText{r.left + 5, (r.top + r.bottom) / 2};
    EXPECT_FALSE(ToggleCheckAt(tree, onText));
    EXPECT_EQ(State(128), Unchecked);
}

TEST_F(TreeChecksTest, CategoryTickReachesEveryDescendant) {
    Set(367, Checked);
    for (UINT id : {368u, 370u, 371u, 372u, 373u, 374u}) EXPECT_EQ(State(id), Checked) << id;
    Set(372, Unchecked);
    EXPECT_EQ(State(371), Unchecked);
    EXPECT_EQ(State(367), PartlyChecked);
}
