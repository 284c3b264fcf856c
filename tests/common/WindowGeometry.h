#pragma once
// What a window shows of its controls, read back for the scaling tests: every control below a
// top-level window (through its pages and panels), its place, its text and whether that text fits.
#include <windows.h>

#include <string>
#include <vector>

namespace scw::test {

struct ControlPlace {
    HWND window;
    HWND parent;
    RECT inParent;  // in the parent's client coordinates
    std::wstring className;
    std::wstring text;
};

// The controls of `root` and of the dialogs below it, in a stable order.
std::vector<ControlPlace> ControlPlaces(HWND root);

bool Overlap(const RECT& a, const RECT& b);
bool Inside(const RECT& inner, const RECT& outer);

// Width and height of `text` in the window's own font, laid out as a push button, check box,
// radio button or static of its style shows it; empty when the window shows no text of its own.
struct TextNeed {
    bool shown = false;
    SIZE needed{};
    SIZE available{};
};
TextNeed MeasureText(const ControlPlace& control);

// The size of one line of `text` in `font`.
SIZE TextExtent(HFONT font, const std::wstring& text);

}  // namespace scw::test
