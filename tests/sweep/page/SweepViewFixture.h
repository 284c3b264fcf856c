#pragma once
// A real item tree in a parent window with the page's font, rendered into memory for pixel checks.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "engine/Catalogue.h"
#include "sweep/page/MyTreeCtrl.h"
#include "tests/common/Canvas.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

// A tree row's rectangle: the whole row, or only its text.
inline RECT TreeRowRect(const CMyTreeCtrl& tree, const CMyObject& node, bool textOnly = false) {
    RECT rc{};
    TreeView_GetItemRect(tree.GetSafeHwnd(), tree.RowOf(node), &rc, textOnly ? TRUE : FALSE);
    return rc;
}

class SweepTreeTest : public testing::Test {
protected:
    void SetUp() override {
        font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana");
        parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 480, 420, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        ::SendMessageW(parent, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        catalogue.Build();
        ASSERT_TRUE(tree.Create(parent, RECT{10, 30, 457, 400}));
        tree.Fill(catalogue);
        hwnd = tree.GetSafeHwnd();
        PumpMessages(50);
    }
    void TearDown() override {
        ::DestroyWindow(parent);
        ::DeleteObject(font);
    }

    CMyObject& Node(UINT id) { return *catalogue.Find(id); }
    void Expand(UINT id) { TreeView_Expand(hwnd, tree.RowOf(Node(id)), TVE_EXPAND); }
    RECT Client() const {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        return rc;
    }
    RECT RowRect(UINT id) { return TreeRowRect(tree, Node(id)); }
    int TextLeft(UINT id) { return TreeRowRect(tree, Node(id), true).left; }
    // Client width as if a vertical scroll bar were shown.
    int CountWidth() const {
        int w = Client().right;
        if (!(::GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL)) w -= ::GetSystemMetrics(SM_CXVSCROLL);
        return w;
    }
    void Render(Canvas& canvas) { tree.PaintRows(canvas.Dc(), Client()); }

    HFONT font = nullptr;
    HWND parent = nullptr;
    HWND hwnd = nullptr;
    Catalogue catalogue;
    CMyTreeCtrl tree;
};

}  // namespace scw::test
