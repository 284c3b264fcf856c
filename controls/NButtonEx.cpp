#include "controls/NButtonEx.h"

#include <algorithm>

#include <commctrl.h>
#include <windowsx.h>

#include "controls/FocusCue.h"
#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/ClientRect.h"

namespace scw {

CNButtonEx::CNButtonEx()
    : normalFill_(RGB(255, 255, 255)),
      hoverFill_(RGB(220, 245, 236)),
      pressedFill_(RGB(196, 235, 221)),
      textColor_(RGB(18, 45, 74)),
      border_(RGB(214, 221, 230)),
      disabledText_(RGB(150, 160, 172)) {}

CNButtonEx::~CNButtonEx() = default;

std::wstring CNButtonEx::AccessibleName(long) {
    if (!AccessibleNameGiven().empty()) return AccessibleNameGiven();
    return text_.empty() ? tooltip_.Text() : text_;
}

long CNButtonEx::AccessibleState(long) {
    return (hwnd_ && (::SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED)) ? STATE_SYSTEM_PRESSED : 0;
}

bool CNButtonEx::AccessibleDoDefaultAction(long) {
    if (!hwnd_ || !::IsWindowEnabled(hwnd_)) return false;
    Press();
    return true;
}

bool CNButtonEx::Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, int id) {
    text_ = text.substr(0, kMaxText);
    if (mode_ == kDrawn || mode_ == kBitmap) style = (style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    HWND button = ::CreateWindowExW(0, L"BUTTON", text_.c_str(), style | WS_CHILD, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    return button && Attach(button);
}

void CNButtonEx::OnAttached() {
    if (text_.empty()) {
        wchar_t buffer[kMaxText + 1] = {};
        ::GetWindowTextW(hwnd_, buffer, static_cast<int>(kMaxText + 1));
        text_ = buffer;
    }
    enabled_ = ::IsWindowEnabled(hwnd_) != FALSE;
    MakeOwnerDraw();
    ServeAccessibility(*this);
}

void CNButtonEx::MakeOwnerDraw() {
    if (!hwnd_ || (mode_ != kDrawn && mode_ != kBitmap)) return;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW)
        ::SendMessageW(hwnd_, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW, TRUE);
}

Dpi CNButtonEx::WindowDpi() const { return hwnd_ ? DpiOfWindow(hwnd_) : Dpi(); }

bool CNButtonEx::SetBitmaps(UINT normal, UINT hover, UINT pressed, UINT disabled, int width, int height, int mode) {
    const UINT ids[4] = {normal, hover, pressed, disabled};
    mode_ = mode;
    const bool all = images_.Load(ids, SIZE{width, height}, WindowDpi());
    MakeOwnerDraw();
    Redraw();
    return all;
}

void CNButtonEx::EnsureImages() {
    if (hwnd_) images_.EnsureFor(DpiOfWindow(hwnd_));
}

void CNButtonEx::SetBitmapHandles(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled, int width,
                                  int height, int mode) {
    const HBITMAP handles[4] = {normal, hover, pressed, disabled};
    images_.Adopt(handles, SIZE{width, height});
    mode_ = mode;
    MakeOwnerDraw();
    Redraw();
}

void CNButtonEx::SetColors(COLORREF normalFill, COLORREF hoverFill, COLORREF pressedFill, COLORREF text,
                           COLORREF border, COLORREF disabledText) {
    normalFill_ = normalFill;
    hoverFill_ = hoverFill;
    pressedFill_ = pressedFill;
    textColor_ = text;
    border_ = border;
    disabledText_ = disabledText;
    Redraw();
}

void CNButtonEx::SetFont(int pointSize, const std::wstring& face) {
    font_ = ScaledFont::FromPoints(face.c_str(), pointSize);
    SendFont();
}

HFONT CNButtonEx::Font() { return font_.Get(WindowDpi()); }

void CNButtonEx::SendFont() {
    if (hwnd_ && font_.Described()) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

void CNButtonEx::SetText(const std::wstring& text) {
    text_ = text.substr(0, kMaxText);
    if (hwnd_) ::SetWindowTextW(hwnd_, text_.c_str());
    Redraw();
    NotifyAccessible(EVENT_OBJECT_NAMECHANGE, hwnd_);
}

void CNButtonEx::Enable(bool enable) {
    enabled_ = enable;
    if (hwnd_) ::EnableWindow(hwnd_, enable ? TRUE : FALSE);
    Redraw();
    NotifyAccessible(EVENT_OBJECT_STATECHANGE, hwnd_);
}

void CNButtonEx::SetTooltip(const std::wstring& text) { tooltip_.Set(hwnd_, text); }

void CNButtonEx::Redraw() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CNButtonEx::DrawTo(HDC dc) {
    EnsureImages();
    RECT rc = ClientRect(hwnd_);
    const bool disabled = !::IsWindowEnabled(hwnd_);
    const bool pressed = (::SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (mode_ == kBitmap) {
        DrawBitmapMode(dc, disabled, pressed);
    } else {
        CMemDC mem(dc, rc);
        DrawTextMode(mem, rc, disabled, pressed);
    }
}

void CNButtonEx::DrawBitmapMode(HDC dc, bool disabled, bool pressed) {
    // Only the image area is painted, so a draw size smaller than the window leaves the parent's
    // pixels around it; within it, states are layered like the images' designer expects.
    const SIZE size = ShownSize();
    const RECT area{0, 0, size.cx, size.cy};
    CMemDC mem(dc, area);
    if (disabled) {
        DrawBitmap(mem, images_.Get(kDisabled), 0, 0, size.cx, size.cy);
        return;
    }
    DrawBitmap(mem, images_.Get(kNormal), 0, 0, size.cx, size.cy);
    if (hoverState_.hover) DrawBitmap(mem, images_.Get(kHover), 0, 0, size.cx, size.cy);
    if (pressed) DrawBitmap(mem, images_.Get(kPressed), 0, 0, size.cx, size.cy);
    if (ShowsFocusCue(hwnd_)) DrawFocusCue(mem, area, WindowDpi());
}

void CNButtonEx::Press() {
    if (!hwnd_ || !::IsWindowEnabled(hwnd_)) return;
    ::SendMessageW(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hwnd_), BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd_));
}

SIZE CNButtonEx::IdealTextSize() {
    // The text as DrawTextMode writes it, inside the border's edges.
    const Dpi dpi = WindowDpi();
    HFONT font = font_.Described() ? Font() : reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    SelectScope selectFont(dc.Get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT measured{};
    ::DrawTextW(dc.Get(), text_.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    return SIZE{measured.right + 2 * SystemMetricForDpi(SM_CXEDGE, dpi), measured.bottom + 2 * SystemMetricForDpi(SM_CYEDGE, dpi)};
}

void CNButtonEx::DrawTextMode(HDC dc, const RECT& rc, bool disabled, bool pressed) {
    const Dpi dpi = WindowDpi();
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    // High contrast: the system's button colours, so the text stays readable.
    const COLORREF textColour = SkinOrSystemColour(textColor_, COLOR_BTNTEXT);
    UniquePen pen(::CreatePen(PS_INSIDEFRAME, 1, SkinOrSystemColour(border_, COLOR_WINDOWFRAME)));
    UniqueBrush normal(::CreateSolidBrush(SkinOrSystemColour(normalFill_, COLOR_BTNFACE)));
    {
        SelectScope selectPen(dc, pen.Get());
        SelectScope selectBrush(dc, normal.Get());
        ::RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, dpi.Scale(5), dpi.Scale(5));
    }
    HFONT font = font_.Described() ? Font() : reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    SelectScope selectFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    const int edgeX = SystemMetricForDpi(SM_CXEDGE, dpi);
    const int edgeY = SystemMetricForDpi(SM_CYEDGE, dpi);
    RECT inner = rc;
    ::InflateRect(&inner, -edgeX, -edgeY);
    auto drawText = [&](COLORREF color, int dy) {
        RECT textRect = rc;
        ::OffsetRect(&textRect, 0, dy);
        ::SetTextColor(dc, color);
        ::DrawTextW(dc, text_.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    };
    ::FillRect(dc, &inner, normal.Get());
    drawText(textColour, 0);
    if (hoverState_.hover) {
        UniqueBrush hover(::CreateSolidBrush(SkinOrSystemColour(hoverFill_, COLOR_BTNFACE)));
        ::FillRect(dc, &inner, hover.Get());
        drawText(textColour, 0);
    }
    if (pressed) {
        UniqueBrush press(::CreateSolidBrush(SkinOrSystemColour(pressedFill_, COLOR_BTNFACE)));
        RECT pressRect = rc;
        ::InflateRect(&pressRect, -(edgeX - dpi.Scale(1)), -(edgeY - dpi.Scale(1)));
        ::FillRect(dc, &pressRect, press.Get());
        drawText(textColour, dpi.Scale(2));
    }
    if (disabled) drawText(SkinOrSystemColour(disabledText_, COLOR_GRAYTEXT), 0);
    if (ShowsFocusCue(hwnd_)) DrawFocusCue(dc, rc, dpi);
}

void CNButtonEx::OnDpiChanged() {
    EnsureImages();
    SendFont();
    Redraw();
}

bool CNButtonEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
        tooltip_.Relay(hwnd_, message, wParam, lParam);
    const bool custom = mode_ == kDrawn || mode_ == kBitmap;
    if (hoverState_.Handle(hwnd_, message, result, [this] { Redraw(); })) return true;
    switch (message) {
    case WM_ERASEBKGND:
        if (!custom) return false;
        result = 1;
        return true;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        if (!custom) return false;
        if (message == WM_PRINTCLIENT) {
            DrawTo(reinterpret_cast<HDC>(wParam));
        } else {
            PaintScope paint(hwnd_);
            DrawTo(paint.Get());
        }
        result = 0;
        return true;
    }
    case ReflectedMessage(WM_DRAWITEM): {
        if (!custom) return false;
        DrawTo(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC);
        result = TRUE;
        return true;
    }
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        // The platform paints owner-drawn buttons through the parent on these; repaint our way.
        result = Default(message, wParam, lParam);
        if (custom) Redraw();
        return true;
    case WM_UPDATEUISTATE:
        result = Default(message, wParam, lParam);
        if (custom) Redraw();
        return true;
    case WM_GETDLGCODE: {
        // Enter presses the focused button itself: the dialog manager would send its command to
        // the top-level window, which is not the page that owns the button.
        result = Default(message, wParam, lParam);
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
        return true;
    }
    case WM_KEYDOWN:
        if (wParam != VK_RETURN) return false;
        Press();
        result = 0;
        return true;
    case BCM_GETIDEALSIZE:
        if (mode_ != kDrawn) return false;
        *reinterpret_cast<SIZE*>(lParam) = IdealTextSize();
        result = TRUE;
        return true;
    case WM_DESTROY:
        tooltip_.Destroy();
        return false;
    default:
        return false;
    }
}

}  // namespace scw
