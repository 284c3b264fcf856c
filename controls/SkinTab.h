#pragma once
// A strip of bitmap tabs. Each item has normal, hot and selected images (magenta is transparent)
// over a copy of what lay under the strip. Clicking another item makes it current and tells the
// parent with kSkinTabChanged (lParam = index); presses are ignored while the owner's lock holds.
// Item places are given at 96 DPI; places, images and hit tests follow the window's DPI.
// It is a tab stop: with the focus, Up/Left and Down/Right (Home, End) choose as a click does, and
// the current item shows the focus cue.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/AccessibleServer.h"
#include "controls/StateImages.h"
#include "controls/SubclassWindow.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

inline constexpr UINT kSkinTabChanged = WM_USER + 100;

class CSkinTab : public CSubclassWindow, private AccessibleFacts {
public:
    CSkinTab() = default;
    ~CSkinTab() override = default;

    // Creates the strip as a child window of its own class.
    bool Create(HWND parent, const RECT& rect, int id);

    void SetItemCount(int count);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    // In the strip's client area at 96 DPI.
    void SetItemRect(int index, int left, int top, int right, int bottom);
    // The item's place at the window's DPI.
    RECT ItemRect(int index) const;
    // Resource images are made again for the window's DPI whenever it changes.
    bool SetItemBitmaps(int index, UINT normal, UINT hot, UINT selected);
    // Images from files, or given as handles, stay as given at any DPI.
    bool SetItemBitmaps(int index, const std::wstring& normal, const std::wstring& hot, const std::wstring& selected);
    // Takes ownership of the bitmaps (one bitmap may serve several states).
    void SetItemBitmapHandles(int index, HBITMAP normal, HBITMAP hot, HBITMAP selected);
    HBITMAP ItemImage(int index, int state) const;
    // What screen readers call the item (its picture shows the name).
    void SetItemName(int index, std::wstring name);
    // Optional icon drawn at the item's left; the strip does not own it.
    void SetItemIcon(int index, HICON icon);
    // Presses change nothing while the predicate is true (a run that pages must not leave).
    void SetLocked(std::function<bool()> locked) { locked_ = std::move(locked); }
    void SetCurrent(int index);
    // What a click on the item does: nothing while locked or for the current item; otherwise it
    // becomes current and the parent is told. True when the item changed.
    bool Choose(int index);
    int GetCurrent() const { return current_; }
    int GetHot() const { return hot_; }
    // The item at a point of the strip's client area (device pixels), or -1.
    int HitTest(POINT point) const;

    void DrawTo(HDC dc);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

private:
    // A page tab list to screen readers, one page tab per item.
    std::wstring AccessibleName(long child) override;
    long AccessibleRole(long child) override { return child ? ROLE_SYSTEM_PAGETAB : ROLE_SYSTEM_PAGETABLIST; }
    long AccessibleState(long child) override;
    long AccessibleChildCount() override { return GetItemCount(); }
    std::wstring AccessibleDefaultAction(long child) override { return child ? L"Switch" : L""; }
    bool AccessibleDoDefaultAction(long child) override;
    bool AccessibleSelect(long child) override { return AccessibleDoDefaultAction(child); }
    RECT AccessibleChildRect(long child) override { return ItemRect(static_cast<int>(child) - 1); }
    long AccessibleFocusedChild() override { return current_ + 1; }
    // The current item is selected (and focused with the strip).
    void AnnounceCurrent();

    struct Item {
        std::wstring name;
        RECT rect{};  // at 96 DPI
        StateImages images;  // normal, hot, selected
        HICON icon = nullptr;
    };
    Dpi WindowDpi() const;
    // Remakes resource images when the window's DPI differs from the one they were made for.
    void EnsureImages();
    void DrawItem(HDC dc, const Item& item, int image, Dpi dpi);
    void CaptureBackground();
    void SetHot(int index);
    // Up/Left, Down/Right, Home and End; false for any other key.
    bool OnKey(WPARAM key);
    void Redraw();

    std::vector<Item> items_;
    int current_ = 0;
    int hot_ = -1;
    bool leaveTracking_ = false;
    UniqueBitmap background_;
    bool backgroundTaken_ = false;
    Dpi backgroundDpi_;
    std::function<bool()> locked_;
};

}  // namespace scw
