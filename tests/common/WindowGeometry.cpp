#include "tests/common/WindowGeometry.h"

#include <commctrl.h>

#include "framework/Dpi.h"
#include "framework/DpiLayout.h"
#include "framework/UniqueHandle.h"

namespace scw::test {

namespace {
void Collect(HWND parent, std::vector<ControlPlace>& out) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ControlPlace place{child, parent, {}, {}, {}};
        ::GetWindowRect(child, &place.inParent);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place.inParent), 2);
        wchar_t buffer[256] = {};
        ::GetClassNameW(child, buffer, 256);
        place.className = buffer;
        buffer[0] = 0;
        ::GetWindowTextW(child, buffer, 256);
        place.text = buffer;
        out.push_back(place);
        if (IsDialogWindow(child)) Collect(child, out);
    }
}
}  // namespace

std::vector<ControlPlace> ControlPlaces(HWND root) {
    std::vector<ControlPlace> out;
    Collect(root, out);
    return out;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TextNeed MeasureText(const ControlPlace& control) {
    TextNeed need;
    const LONG style = ::GetWindowLongW(control.window, GWL_STYLE);
    // Shown by itself: a control of a page out of view still has to fit when its page shows.
    if (control.text.empty() || !(style & WS_VISIBLE)) return need;
    const bool button = control.className == L"Button";
    const bool isStatic = control.className == L"Static";
    if (!button && !isStatic) return need;
    const LONG kind = style & (button ? BS_TYPEMASK : SS_TYPEMASK);
    if (button && kind == BS_GROUPBOX) return need;
    if (button && kind == BS_OWNERDRAW) {
        // A skinned button knows what its glyph and text take; one that draws only a picture says nothing.
        SIZE ideal{};
        if (!::SendMessageW(control.window, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) return need;
        RECT client{};
        ::GetClientRect(control.window, &client);
        need.shown = true;
        need.needed = ideal;
        need.available = SIZE{client.right, client.bottom};
        return need;
    }
    if (isStatic && kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP &&
        kind != SS_SIMPLE)
        return need;

    RECT client{};
    ::GetClientRect(control.window, &client);
    const Dpi dpi = DpiOfWindow(control.window);
    int glyph = 0;
    if (button && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON)
        glyph = dpi.Scale(13) + dpi.Scale(4);  // the box or dot and its gap
    const bool wraps = isStatic && (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT);

    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    SelectScope font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(control.window, WM_GETFONT, 0, 0)));
    RECT measured{0, 0, client.right - glyph, 0};
    ::DrawTextW(dc.Get(), control.text.c_str(), -1, &measured,
                DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE) | (button ? DT_HIDEPREFIX : 0));
    need.shown = true;
    need.needed = SIZE{measured.right + glyph, measured.bottom};
    need.available = SIZE{client.right, client.bottom};
    return need;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    SelectScope selected(dc.Get(), font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

}  // namespace scw::test
