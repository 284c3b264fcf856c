#include "controls/DigiStatic.h"

#include "controls/SelfPaint.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>

#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/Strings.h"
#include "framework/UniqueHandle.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {

COLORREF Soften(COLORREF color, COLORREF background) {
    auto part = [](int c, int b) { return static_cast<int>(0.75 * c + 0.25 * b); };
    return RGB(part(GetRValue(color), GetRValue(background)), part(GetGValue(color), GetGValue(background)),
               part(GetBValue(color), GetBValue(background)));
}

}  // namespace

bool CDigiStatic::Create(const std::wstring& caption, DWORD style, const RECT& rect, HWND parent, int id) {
    HWND window = ::CreateWindowExW(0, L"STATIC", caption.c_str(), style | WS_CHILD, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    return window && Attach(window);
}

void CDigiStatic::Redraw() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CDigiStatic::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    modified_ = true;
    Redraw();
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE, hwnd_);
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE, hwnd_);
}

std::wstring CDigiStatic::ShownText() const { return text_ == L"?" ? WindowText(hwnd_) : text_; }

std::wstring CDigiStatic::AccessibleName(long) {
    if (AccessibleNameGiven().empty()) return ShownText();
    return AccessibleNameGiven() + L": " + ShownText();
}

void CDigiStatic::SetFormattedV(const wchar_t* format, va_list args) {
    wchar_t buffer[256];
    const int n = std::vswprintf(buffer, 256, format, args);
    SetText(n < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(n)));
}

void CDigiStatic::SetFormattedText(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    SetFormattedV(format, args);
    va_end(args);
}

void CDigiStatic::SetFormattedText(UINT stringId, ...) {
    const std::wstring format = LoadResourceString(stringId);
    va_list args;
    va_start(args, stringId);
    SetFormattedV(format.c_str(), args);
    va_end(args);
}

void CDigiStatic::SetColor(COLORREF off, COLORREF on) {
    if (off == off_ && on == on_) return;
    off_ = off;
    on_ = on;
    Redraw();
}

void CDigiStatic::SetBkColor(COLORREF background) {
    if (background == background_) return;
    background_ = background;
    Redraw();
}

void CDigiStatic::SetTransparent(bool transparent) {
    if (!hwnd_) return;
    LONG_PTR ex = ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    ex = transparent ? (ex | WS_EX_TRANSPARENT) : (ex & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex);
    Redraw();
}

bool CDigiStatic::ModifyDigiStyle(unsigned remove, unsigned add) {
    if (remove & add) return false;
    style_ = (style_ & ~remove) | add;
    modified_ = true;
    Redraw();
    return true;
}

void CDigiStatic::BuildCells() {
    if (text_ == L"?" && hwnd_) {
        wchar_t caption[256] = {};
        ::GetWindowTextW(hwnd_, caption, 256);
        text_ = caption;
    }
    cells_ = BuildDigiCells(text_, style_);
    modified_ = false;
}

void CDigiStatic::DrawTo(HDC dc) {
    if (modified_) BuildCells();
    RECT rc = ClientRect(hwnd_);
    HDC mem = dc;
    const bool transparent = (::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
    if (transparent) {
        CopyParentBackground(hwnd_, mem);
    } else {
        UniqueBrush back(::CreateSolidBrush(background_));
        ::FillRect(mem, &rc, back.Get());
    }
    segmentsDrawn_ = 0;
    int units = 0;
    for (const CDigiChar& cell : cells_) units += cell.Width();
    if (units == 0 || rc.right <= 0 || rc.bottom <= 0) return;

    const bool soft = (style_ & kDigiSoft) != 0;
    // The outline is part of the segment's shape, so it thickens with the DPI as the cells grow.
    const int penWidth = DpiOfWindow(hwnd_).Scale(1);
    UniquePen onPen(::CreatePen(PS_SOLID, penWidth, soft ? Soften(on_, background_) : on_));
    UniquePen offPen(::CreatePen(PS_SOLID, penWidth, soft ? Soften(off_, background_) : off_));
    UniqueBrush onBrush(::CreateSolidBrush(on_));
    UniqueBrush offBrush(::CreateSolidBrush(off_));

    double sx = static_cast<double>(rc.right) / units;
    double sy = static_cast<double>(rc.bottom) / kDigiCellHeight;
    double x = 0, y = 0;
    if (style_ & kDigiProportional) {
        sx = sy = std::min(sx, sy);
        x = (rc.right - units * sx) / 2;
        y = (rc.bottom - kDigiCellHeight * sy) / 2;
    }
    SelectScope keepPen(mem, ::GetStockObject(NULL_PEN));
    SelectScope keepBrush(mem, ::GetStockObject(NULL_BRUSH));
    for (const CDigiChar& cell : cells_) {
        for (int i = 0; i < cell.SegmentCount(); ++i) {
            const bool lit = cell.IsLit(i);
            if (!lit && cell.NoOff()) continue;
            ::SelectObject(mem, lit ? onPen.Get() : offPen.Get());
            ::SelectObject(mem, lit ? onBrush.Get() : offBrush.Get());
            std::vector<POINT> points;
            for (const DigiPoint& p : cell.Segments()[i].points)
                points.push_back(POINT{static_cast<LONG>(x + p.x * sx + 0.5), static_cast<LONG>(y + p.y * sy + 0.5)});
            ::BeginPath(mem);
            ::Polygon(mem, points.data(), static_cast<int>(points.size()));
            ::EndPath(mem);
            ::StrokeAndFillPath(mem);
            ++segmentsDrawn_;
        }
        x += cell.Width() * sx;
    }
}

void CDigiStatic::OnDpiChanged() {
    Redraw();
}

bool CDigiStatic::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // The paint covers the whole control.
    return HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { DrawTo(dc); });
}

}  // namespace scw
