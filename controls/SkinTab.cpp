#include "controls/SkinTab.h"

#include <windowsx.h>

#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"

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
    HWND strip = ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    return strip && Attach(strip);
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
    UniqueBitmap fresh[3];  // each distinct handle owned once
    for (int i = 0; i < 3; ++i) {
        bool repeated = false;
        for (int j = 0; j < i; ++j) repeated = repeated || handles[j] == handles[i];
        if (!repeated) fresh[i].Reset(handles[i]);
    }
    if (index < 0 || index >= GetItemCount()) return;
    Item& item = items_[index];
    for (int i = 0; i < 3; ++i) {
        item.owned[i] = std::move(fresh[i]);
        item.images[i] = handles[i];
    }
    Redraw();
}

bool CSkinTab::SetItemBitmaps(int index, UINT normal, UINT hot, UINT selected) {
    const UINT ids[3] = {normal, hot, selected};
    HBITMAP handles[3] = {};
    bool ok = true;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < i && !handles[i]; ++j)
            if (ids[j] == ids[i]) handles[i] = handles[j];
        if (handles[i]) continue;
        handles[i] = LoadSkinBitmap(ids[i]).Release();
        ok = ok && handles[i] != nullptr;
    }
    SetItemBitmapHandles(index, handles[0], handles[1], handles[2]);
    return ok;
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
}

int CSkinTab::HitTest(POINT point) const {
    // The current item lies on top, so it wins where items overlap.
    if (current_ < GetItemCount() && ::PtInRect(&items_[current_].rect, point)) return current_;
    for (int i = 0; i < GetItemCount(); ++i)
        if (::PtInRect(&items_[i].rect, point)) return i;
    return -1;
}

void CSkinTab::Redraw() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CSkinTab::CaptureBackground() {
    if (backgroundTaken_ || !hwnd_) return;
    backgroundTaken_ = true;
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    background_.Reset(::CreateCompatibleBitmap(WindowDc(hwnd_).Get(), rc.right, rc.bottom));
    if (!background_) return;
    UniqueMemDc mem(::CreateCompatibleDC(nullptr));
    SelectScope select(mem.Get(), background_.Get());
    CopyParentBackground(hwnd_, mem.Get());
}

void CSkinTab::DrawItem(HDC dc, const Item& item, int image) {
    HBITMAP bitmap = item.images[image];
    if (bitmap) DrawBitmapKeyed(dc, bitmap, item.rect.left, item.rect.top);
    if (item.icon) {
        const int y = item.rect.top + (item.rect.bottom - item.rect.top - 16) / 2;
        ::DrawIconEx(dc, item.rect.left + 8, y, item.icon, 16, 16, 0, nullptr, DI_NORMAL);
    }
}

void CSkinTab::DrawTo(HDC dc) {
    RECT rc{};
    ::GetClientRect(hwnd_, &rc);
    CMemDC mem(dc, rc);
    if (background_) {
        DrawBitmap(mem, background_.Get(), 0, 0, rc.right, rc.bottom);
    } else {
        CopyParentBackground(hwnd_, mem);
    }
    for (int i = GetItemCount() - 1; i >= 0; --i)
        if (i != current_) DrawItem(mem, items_[i], i == hot_ ? 1 : 0);
    if (current_ < GetItemCount()) DrawItem(mem, items_[current_], 2);
}

void CSkinTab::SetHot(int index) {
    if (index == hot_) return;
    hot_ = index;
    Redraw();
}

bool CSkinTab::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        CaptureBackground();
        result = 1;
        return true;
    case WM_PAINT: {
        PaintScope paint(hwnd_);
        CaptureBackground();
        DrawTo(paint.Get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        DrawTo(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
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
        const int hit = HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (hit < 0 || hit == current_) return true;
        current_ = hit;
        Redraw();
        ::SendMessageW(::GetParent(hwnd_), kSkinTabChanged, 0, hit);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace scw
