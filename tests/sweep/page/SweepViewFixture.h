#pragma once
// A real item tree in a parent window with the page's font, rendered into memory for pixel checks.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "engine/Catalogue.h"
#include "sweep/page/MyTreeCtrl.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

// A tree row's rectangle: the whole row, or only its text.
inline RECT TreeRowRect(HWND tree, const CMyObject& node, bool textOnly = false) {
    RECT rc{};
    TreeView_GetItemRect(tree, node.treeItem, &rc, textOnly ? TRUE : FALSE);
    return rc;
}

// A 32-bit top-down copy of what a paint produced.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels in the rectangle that are not white.
    int Ink(const RECT& r) const {
        int n = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x)
                if (At(x, y) != RGB(255, 255, 255)) ++n;
        return n;
    }
    // Rightmost column in the rectangle with a pixel darker than mid grey, or -1.
    int RightmostDark(const RECT& r) const {
        for (int x = std::min<int>(width_, r.right) - 1; x >= std::max<int>(0, r.left); --x)
            for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y) {
                COLORREF c = At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110) return x;
            }
        return -1;
    }
    // Pixels whose green clearly outweighs red and blue.
    int Greenish(const RECT& r) const {
        int n = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x) {
                COLORREF c = At(x, y);
                if (GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > 90) ++n;
            }
        return n;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

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
    void Expand(UINT id) { TreeView_Expand(hwnd, Node(id).treeItem, TVE_EXPAND); }
    RECT Client() const {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        return rc;
    }
    RECT RowRect(UINT id) { return TreeRowRect(hwnd, Node(id)); }
    int TextLeft(UINT id) { return TreeRowRect(hwnd, Node(id), true).left; }
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
