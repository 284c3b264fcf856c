#include "controls/SkinTab.h"

#include <windowsx.h>

#include "controls/FocusCue.h"
#include "controls/SelfPaint.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr wchar_t kClassName[] = L"ScourwellSkinTab";

bool RegisterTabClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AppInstance();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}
}  // namespace

bool CSkinTab::Create(HWND parent, const RECT& rect, int id) {
    if (!RegisterTabClass()) return false;
    HWND strip = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    if (!strip || !Attach(strip)) return false;
    ServeAccessibility(*this);
    return true;
}

void CSkinTab::SetItemName(int index, std::wstring name) {
    if (index >= 0 && index < GetItemCount()) items_[index].name = std::move(name);
}

std::wstring CSkinTab::AccessibleName(long child) {
    if (child == 0) return AccessibleNameGiven();
    return items_[static_cast<size_t>(child - 1)].name;
}

long CSkinTab::AccessibleState(long child) {
    if (child == 0) return 0;
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (child - 1 == current_) state |= STATE_SYSTEM_SELECTED;
    // While the strip is locked the other pages cannot be chosen.
    else if (locked_ && locked_()) state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

bool CSkinTab::AccessibleDoDefaultAction(long child) {
    if (child <= 0) return false;
    return Choose(static_cast<int>(child) - 1) || current_ == child - 1;
}

void CSkinTab::AnnounceCurrent() {
    NotifyAccessible(EVENT_OBJECT_SELECTION, hwnd_, current_ + 1);
    if (::GetFocus() == hwnd_) NotifyAccessible(EVENT_OBJECT_FOCUS, hwnd_, current_ + 1);
}

void CSkinTab::SetItemCount(int count) {
    items_.clear();
    items_.resize(count > 0 ? static_cast<size_t>(count) : 0);
    if (current_ >= count) current_ = 0;
    hot_ = -1;
    Redraw();
}

void CSkinTab::SetItemRect(int index, int left, int top, int right, int bottom) {
    if (index < 0 || index >= GetItemCount()) return;
    items_[index].rect = RECT{left, top, right, bottom};
    Redraw();
}

void CSkinTab::SetItemBitmapHandles(int index, HBITMAP normal, HBITMAP hot, HBITMAP selected) {
    const HBITMAP handles[3] = {normal, hot, selected};
    // Owned from here on, whether the item exists or not.
    StateImages images;
    images.Adopt(handles, SIZE{});
    if (index < 0 || index >= GetItemCount()) return;
    items_[index].images = std::move(images);
    Redraw();
}

Dpi CSkinTab::WindowDpi() const { return hwnd_ ? DpiOfWindow(hwnd_) : Dpi(); }

bool CSkinTab::SetItemBitmaps(int index, UINT normal, UINT hot, UINT selected) {
    if (index < 0 || index >= GetItemCount()) return false;
    const UINT ids[3] = {normal, hot, selected};
    const bool all = items_[index].images.Load(ids, SIZE{}, WindowDpi());
    Redraw();
    return all;
}

void CSkinTab::EnsureImages() {
    const Dpi dpi = WindowDpi();
    for (Item& item : items_) item.images.EnsureFor(dpi);
}

HBITMAP CSkinTab::ItemImage(int index, int state) const {
    if (index < 0 || index >= GetItemCount() || state < 0 || state > 2) return nullptr;
    return items_[index].images.Get(static_cast<size_t>(state));
}

RECT CSkinTab::ItemRect(int index) const {
    if (index < 0 || index >= GetItemCount()) return RECT{};
    return WindowDpi().Scale(items_[index].rect);
}

bool CSkinTab::SetItemBitmaps(int index, const std::wstring& normal, const std::wstring& hot,
                              const std::wstring& selected) {
    UniqueBitmap n = LoadSkinBitmapFile(normal);
    UniqueBitmap h = LoadSkinBitmapFile(hot);
    UniqueBitmap s = LoadSkinBitmapFile(selected);
    const bool ok = n && h && s;
    SetItemBitmapHandles(index, n.Release(), h.Release(), s.Release());
    return ok;
}

void CSkinTab::SetItemIcon(int index, HICON icon) {
    if (index < 0 || index >= GetItemCount()) return;
    items_[index].icon = icon;
    Redraw();
}

void CSkinTab::SetCurrent(int index) {
    if (index < 0 || index >= GetItemCount()) return;
    current_ = index;
    Redraw();
    AnnounceCurrent();
}

bool CSkinTab::Choose(int index) {
    if (locked_ && locked_()) return false;
    if (index < 0 || index >= GetItemCount() || index == current_) return false;
    current_ = index;
    Redraw();
    AnnounceCurrent();
    ::SendMessageW(::GetParent(hwnd_), kSkinTabChanged, 0, index);
    return true;
}

bool CSkinTab::OnKey(WPARAM key) {
    int index = current_;
    switch (key) {
    case VK_UP:
    case VK_LEFT: index = current_ - 1; break;
    case VK_DOWN:
    case VK_RIGHT: index = current_ + 1; break;
    case VK_HOME: index = 0; break;
    case VK_END: index = GetItemCount() - 1; break;
    default: return false;
    }
    ShowFocusCuesFromNowOn(::GetAncestor(hwnd_, GA_ROOT));
    Choose(index);
    return true;
}

int CSkinTab::HitTest(POINT point) const {
    const Dpi dpi = WindowDpi();
    auto hit = [&](int i) {
        const RECT shown = dpi.Scale(items_[i].rect);
        return ::PtInRect(&shown, point) != FALSE;
    };
    // The current item lies on top, so it wins where items overlap.
    if (current_ < GetItemCount() && hit(current_)) return current_;
    for (int i = 0; i < GetItemCount(); ++i)
        if (hit(i)) return i;
    return -1;
}

void CSkinTab::Redraw() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CSkinTab::CaptureBackground() {
    // Taken once; again only when a new DPI has laid the parent out anew.
    if (!hwnd_ || (backgroundTaken_ && backgroundDpi_ == DpiOfWindow(hwnd_))) return;
    backgroundTaken_ = true;
    backgroundDpi_ = DpiOfWindow(hwnd_);
    RECT rc = ClientRect(hwnd_);
    background_.Reset(::CreateCompatibleBitmap(WindowDc(hwnd_).Get(), rc.right, rc.bottom));
    if (!background_) return;
    UniqueMemDc mem(::CreateCompatibleDC(nullptr));
    SelectScope select(mem.Get(), background_.Get());
    CopyParentBackground(hwnd_, mem.Get());
}

void CSkinTab::DrawItem(HDC dc, const Item& item, int image, Dpi dpi) {
    const RECT rect = dpi.Scale(item.rect);
    HBITMAP bitmap = item.images.Get(static_cast<size_t>(image));
    if (bitmap) DrawBitmapKeyed(dc, bitmap, rect.left, rect.top);
    if (item.icon) {
        const int size = dpi.Scale(16);
        const int y = rect.top + (rect.bottom - rect.top - size) / 2;
        ::DrawIconEx(dc, rect.left + dpi.Scale(8), y, item.icon, size, size, 0, nullptr, DI_NORMAL);
    }
}

void CSkinTab::DrawTo(HDC dc) {
    EnsureImages();
    const Dpi dpi = WindowDpi();
    RECT rc = ClientRect(hwnd_);
    HDC mem = dc;
    if (background_) {
        DrawBitmap(mem, background_.Get(), 0, 0, rc.right, rc.bottom);
    } else {
        CopyParentBackground(hwnd_, mem);
    }
    for (int i = GetItemCount() - 1; i >= 0; --i)
        if (i != current_) DrawItem(mem, items_[i], i == hot_ ? 1 : 0, dpi);
    if (current_ < GetItemCount()) {
        DrawItem(mem, items_[current_], 2, dpi);
        if (ShowsFocusCue(hwnd_)) DrawFocusCue(mem, dpi.Scale(items_[current_].rect), dpi);
    }
}

void CSkinTab::SetHot(int index) {
    if (index == hot_) return;
    hot_ = index;
    Redraw();
}

void CSkinTab::OnDpiChanged() {
    EnsureImages();
    Redraw();
}

bool CSkinTab::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
    case WM_PAINT:
        // What lies under the strip is taken before the strip first draws over it.
        CaptureBackground();
        return HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { DrawTo(dc); });
    case WM_PRINTCLIENT:
        return HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { DrawTo(dc); });
    case WM_MOUSEMOVE: {
        SetHot(HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        if (!leaveTracking_) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
            leaveTracking_ = ::TrackMouseEvent(&track) != FALSE;
        }
        result = 0;
        return true;
    }
    case WM_MOUSELEAVE:
        leaveTracking_ = false;
        SetHot(-1);
        result = 0;
        return true;
    case WM_LBUTTONDOWN: {
        result = 0;
        if (locked_ && locked_()) return true;
        // As a platform tab does: the strip takes the focus, so the keys work after a click.
        ::SetFocus(hwnd_);
        Choose(HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return true;
    }
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS;
        return true;
    case WM_KEYDOWN:
        if (!OnKey(wParam)) return false;
        result = 0;
        return true;
    case WM_SETFOCUS:
        Redraw();
        AnnounceCurrent();
        return false;
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        Redraw();
        return false;
    default:
        return false;
    }
}

}  // namespace scw
