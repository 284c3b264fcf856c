#include "controls/GlyphButton.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/FocusCue.h"
#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "framework/ScaledFont.h"
#include "framework/ClientRect.h"

namespace scw {

namespace {
constexpr int kGlyphColumn = 16;
constexpr int kTextGap = 3;  // between the glyph and the text
constexpr int kFrames = 6;
constexpr COLORREF kTextColor = RGB(30, 41, 59);
}  // namespace

bool CNGlyphButton::Create(const std::wstring& text, DWORD style, const RECT& rect, HWND parent, int id) {
    style = (style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    HWND button = ::CreateWindowExW(0, L"BUTTON", text.c_str(), style | WS_CHILD, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    return button && Attach(button);
}

std::wstring CNGlyphButton::AccessibleName(long) {
    if (!AccessibleNameGiven().empty()) return AccessibleNameGiven();
    std::wstring text = WindowText(hwnd_);
    return text.empty() ? LabelAfter(hwnd_) : text;
}

long CNGlyphButton::AccessibleState(long) {
    long state = ticked_ ? STATE_SYSTEM_CHECKED : 0;
    if (hwnd_ && (::SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED)) state |= STATE_SYSTEM_PRESSED;
    return state;
}

std::wstring CNGlyphButton::AccessibleDefaultAction(long) {
    return ticked_ && !KeyedFrames() ? L"Uncheck" : L"Check";
}

bool CNGlyphButton::AccessibleDoDefaultAction(long) {
    if (!hwnd_ || !::IsWindowEnabled(hwnd_)) return false;
    ClickAsUser();
    return true;
}

void CNGlyphButton::ClickAsUser() {
    OnClickRelease();
    ::SendMessageW(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hwnd_), BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd_));
}

void CNGlyphButton::OnAttached() {
    ServeAccessibility(*this);
    // Owner-drawn, so the platform neither draws a box nor ticks it on its own.
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW)
        ::SendMessageW(hwnd_, BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW, TRUE);
}

Dpi CNGlyphButton::WindowDpi() const { return hwnd_ ? DpiOfWindow(hwnd_) : Dpi(); }

bool CNGlyphButton::SetGlyphStrip(UINT bitmapId) {
    stripId_ = bitmapId;
    LoadStrip();
    Redraw();
    return static_cast<bool>(strip_);
}

void CNGlyphButton::LoadStrip() {
    stripDpi_ = WindowDpi();
    strip_ = LoadSkinBitmap(stripId_, stripDpi_);
}

void CNGlyphButton::SetGlyphStripHandle(HBITMAP strip) {
    strip_.Reset(strip);
    stripId_ = 0;
    Redraw();
}

void CNGlyphButton::EnsureStrip() {
    if (stripId_ && WindowDpi() != stripDpi_) LoadStrip();
}

int CNGlyphButton::TextLeft() {
    EnsureStrip();
    const Dpi dpi = WindowDpi();
    const int frame = BitmapSize(strip_.Get()).cx / kFrames;
    return (dpi.Scale(kGlyphColumn) - frame) / 2 + frame + dpi.Scale(kTextGap);
}

SIZE CNGlyphButton::IdealSize() {
    const int left = TextLeft();
    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd_, text, 256);
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    SelectScope selectFont(dc.Get(), TextFont());
    RECT measured{};
    ::DrawTextW(dc.Get(), text, -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int glyphHeight = BitmapSize(strip_.Get()).cy;
    return SIZE{left + measured.right, measured.bottom > glyphHeight ? measured.bottom : glyphHeight};
}

HFONT CNGlyphButton::TextFont() {
    if (auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0))) return font;
    // Without a font of its own the control writes in the default GUI font, at its DPI.
    const Dpi dpi = WindowDpi();
    if (dpi == SystemDpi()) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!defaultFont_.Described())
        defaultFont_ = ScaledFont::FromMade(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), SystemDpi());
    return defaultFont_.Get(dpi);
}

void CNGlyphButton::SetTicked(bool ticked) {
    if (ticked_ == ticked) return;
    ticked_ = ticked;
    Redraw();
    OnTickChanged();
}

void CNGlyphButton::OnTickChanged() { NotifyAccessible(EVENT_OBJECT_STATECHANGE, hwnd_); }

void CNGlyphButton::Redraw() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void CNGlyphButton::DrawTo(HDC dc) {
    EnsureStrip();
    RECT rc = ClientRect(hwnd_);
    HDC mem = dc;
    CopyParentBackground(hwnd_, mem);

    const SIZE stripSize = BitmapSize(strip_.Get());
    const int frame = stripSize.cx / kFrames;
    const int x = (WindowDpi().Scale(kGlyphColumn) - frame) / 2;
    const int y = (rc.bottom - stripSize.cy) / 2;
    const bool pressed = (::SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const int base = ticked_ ? 3 : 0;
    auto drawFrame = [&](int index) {
        const RECT part{index * frame, 0, (index + 1) * frame, stripSize.cy};
        if (KeyedFrames()) {
            DrawBitmapPartKeyed(mem, strip_.Get(), x, y, part);
        } else {
            UniqueMemDc source(::CreateCompatibleDC(mem));
            SelectScope select(source.Get(), strip_.Get());
            ::BitBlt(mem, x, y, frame, stripSize.cy, source.Get(), part.left, 0, SRCCOPY);
        }
    };
    if (strip_ && frame > 0) {
        drawFrame(base);
        if (hoverState_.hover) drawFrame(base + 1);
        if (pressed) drawFrame(base + 2);
    }

    wchar_t text[256] = {};
    ::GetWindowTextW(hwnd_, text, 256);
    const bool cue = ShowsFocusCue(hwnd_);
    if (!text[0]) {
        // Without a text of its own the cue frames the whole (glyph-sized) control.
        if (cue) DrawFocusCue(mem, rc, WindowDpi(), 0);
        return;
    }
    RECT textRect = rc;
    textRect.left = TextLeft();
    SelectScope selectFont(mem, TextFont());
    ::SetBkMode(mem, TRANSPARENT);
    ::SetTextColor(mem, ::IsWindowEnabled(hwnd_) ? SkinOrSystemColour(kTextColor, COLOR_WINDOWTEXT)
                                                 : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(mem, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (!cue) return;
    RECT measured = textRect;
    ::DrawTextW(mem, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int margin = WindowDpi().Scale(3);
    const RECT around{textRect.left - margin, rc.top, std::min<LONG>(rc.right, measured.right + margin), rc.bottom};
    DrawFocusCue(mem, around, WindowDpi(), 0);
}

bool CNGlyphButton::OnKey(UINT message, WPARAM key) {
    // Space: the platform presses on the key's fall and clicks on its rise; the tick changes first,
    // as on a mouse release.
    if (message == WM_KEYUP && key == VK_SPACE) {
        if (::SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) OnClickRelease();
        return false;
    }
    if (message == WM_KEYDOWN && key == VK_SPACE) ShowFocusCuesFromNowOn(::GetAncestor(hwnd_, GA_ROOT));
    return false;
}

void CNGlyphButton::OnDpiChanged() {
    EnsureStrip();
    Redraw();
}

bool CNGlyphButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (hoverState_.Handle(hwnd_, message, result, [this] { Redraw(); })) return true;
    if (HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { DrawTo(dc); })) return true;
    if ((message == WM_KEYDOWN || message == WM_KEYUP) && OnKey(message, wParam)) {
        result = 0;
        return true;
    }
    switch (message) {
    case WM_LBUTTONUP: {
        RECT rc = ClientRect(hwnd_);
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (hoverState_.hover && ::PtInRect(&rc, point)) OnClickRelease();
        result = Default(message, wParam, lParam);  // sends the click command
        Redraw();
        return true;
    }
    case ReflectedMessage(WM_DRAWITEM): {
        CMemDC buffer(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hDC, hwnd_);
        DrawTo(buffer);
        result = TRUE;
        return true;
    }
    case WM_GETDLGCODE:
        result = Default(message, wParam, lParam) | (WantsArrows() ? DLGC_WANTARROWS : 0);
        return true;
    case BCM_GETIDEALSIZE:
        // What the glyph and the whole text take, at the window's DPI.
        *reinterpret_cast<SIZE*>(lParam) = IdealSize();
        result = TRUE;
        return true;
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_CAPTURECHANGED:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
        result = Default(message, wParam, lParam);
        Redraw();
        return true;
    default:
        return false;
    }
}

void CNCheckBoxEX::OnClickRelease() {
    ticked_ = !ticked_;
    Redraw();
    OnTickChanged();
}

bool CNRadioEx::Link(CNRadioEx* other) {
    if (!other || other == this || static_cast<int>(links_.size()) >= kMaxLinks) return false;
    links_.push_back(other);
    UpdateTabStops();
    return true;
}

void CNRadioEx::OnClickRelease() {
    if (ticked_) return;  // a ticked radio stays ticked; the click is still sent
    ticked_ = true;
    Redraw();
    for (CNRadioEx* other : links_) other->SetTicked(false);
    OnTickChanged();
}

void CNRadioEx::OnTickChanged() {
    UpdateTabStops();
    CNGlyphButton::OnTickChanged();
}

std::vector<CNRadioEx*> CNRadioEx::GroupInReadingOrder() {
    std::vector<CNRadioEx*> group{this};
    group.insert(group.end(), links_.begin(), links_.end());
    auto place = [](CNRadioEx* radio) {
        RECT rc{};
        ::GetWindowRect(radio->GetSafeHwnd(), &rc);
        return std::pair{rc.top, rc.left};
    };
    std::stable_sort(group.begin(), group.end(), [&](CNRadioEx* a, CNRadioEx* b) { return place(a) < place(b); });
    return group;
}

void CNRadioEx::UpdateTabStops() {
    // As in a platform group: Tab reaches the ticked radio (the first when none is ticked); the
    // arrows move within the group.
    std::vector<CNRadioEx*> group = GroupInReadingOrder();
    CNRadioEx* stop = group.front();
    for (CNRadioEx* radio : group)
        if (radio->IsTicked()) stop = radio;
    for (CNRadioEx* radio : group) {
        HWND window = radio->GetSafeHwnd();
        if (!window) continue;
        const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
        const LONG_PTR wanted = radio == stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        if (wanted != style) ::SetWindowLongPtrW(window, GWL_STYLE, wanted);
    }
}

bool CNRadioEx::OnKey(UINT message, WPARAM key) {
    if (message != WM_KEYDOWN || (key != VK_UP && key != VK_DOWN && key != VK_LEFT && key != VK_RIGHT))
        return CNGlyphButton::OnKey(message, key);
    std::vector<CNRadioEx*> group = GroupInReadingOrder();
    if (group.size() < 2) return true;
    const auto at = std::find(group.begin(), group.end(), this) - group.begin();
    const int step = key == VK_DOWN || key == VK_RIGHT ? 1 : -1;
    const int count = static_cast<int>(group.size());
    CNRadioEx* next = group[static_cast<size_t>((at + step + count) % count)];
    HWND window = next->GetSafeHwnd();
    if (!window || !::IsWindowEnabled(window)) return true;
    ShowFocusCuesFromNowOn(::GetAncestor(hwnd_, GA_ROOT));
    ::SetFocus(window);
    // Moving onto a radio chooses it, as the platform's radio groups do.
    next->ClickAsUser();
    return true;
}

void LinkRadioGroup(std::initializer_list<CNRadioEx*> group) {
    for (CNRadioEx* a : group)
        for (CNRadioEx* b : group)
            if (a != b) a->Link(b);
}

}  // namespace scw
