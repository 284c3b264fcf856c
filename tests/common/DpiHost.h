#pragma once
// A top-level window that shows a page at a DPI the way the main window does: the page lays itself
// out at 96 DPI, then a DpiLayout records that and takes everything to the DPI. The checks compare
// what the page shows then with its 96-DPI layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/DpiLayout.h"
#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"
#include "tests/common/WindowGeometry.h"

namespace scw::test {

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

inline RECT PlaceInParent(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class DpiHost {
public:
    explicit DpiHost(Dpi dpi) : dpi_(dpi) {
        host_ = ::CreateWindowExW(0, L"STATIC", L"dpi host", WS_POPUP, 0, 0, 800, 686, nullptr, nullptr, nullptr,
                                  nullptr);
        SetLayoutDpi(host_, dpi);
    }
    ~DpiHost() { ::DestroyWindow(host_); }
    DpiHost(const DpiHost&) = delete;
    DpiHost& operator=(const DpiHost&) = delete;

    HWND Get() const { return host_; }
    Dpi GetDpi() const { return dpi_; }

    // Records the 96-DPI places (the pages are laid out so when made) and takes them to the DPI.
    void Apply() {
        at96_.clear();
        Record(host_);
        layout_.Capture(host_, SystemDpi());
        layout_.Apply(host_, dpi_);
        ::SetWindowPos(host_, nullptr, 0, 0, dpi_.Scale(800), dpi_.Scale(686), SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages(20);
    }
    // A later change of DPI (the window moved to another screen): the same record, another scale.
    void ApplyAgain(Dpi dpi) {
        dpi_ = dpi;
        layout_.Apply(host_, dpi_);
        ::SetWindowPos(host_, nullptr, 0, 0, dpi_.Scale(800), dpi_.Scale(686), SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages(20);
    }
    // Every window the layout placed, with its place at 96 DPI.
    const std::map<HWND, RECT>& Places96() const { return at96_; }

private:
    void Record(HWND parent) {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            at96_[child] = PlaceInParent(child);
            if (IsDialogWindow(child)) Record(child);
        }
    }

    Dpi dpi_;
    HWND host_ = nullptr;
    DpiLayout layout_;
    std::map<HWND, RECT> at96_;
};

// Every window below `root` sits where its 96-DPI place lands at the DPI (within a pixel, so a
// runtime layout may round its own way), inside its parent, and overlaps no sibling it kept
// apart from at 96 DPI. Pictures that take their picture's size (`selfSized` ids) are checked
// by their corner only.
inline void ExpectScaledLayout(const DpiHost& host, HWND root, const std::vector<int>& selfSized = {}) {
    const Dpi dpi = host.GetDpi();
    std::map<HWND, std::vector<HWND>> siblings;
    for (const auto& [window, at96] : host.Places96()) {
        if (window != root && !::IsChild(root, window)) continue;
        const RECT shown = PlaceInParent(window);
        const RECT wanted = dpi.Scale(at96);
        const std::wstring name = ClassOf(window) + L" " + std::to_wstring(::GetDlgCtrlID(window));
        EXPECT_LE(std::abs(shown.left - wanted.left), 1) << name;
        EXPECT_LE(std::abs(shown.top - wanted.top), 1) << name;
        if (std::find(selfSized.begin(), selfSized.end(), ::GetDlgCtrlID(window)) == selfSized.end()) {
            EXPECT_LE(std::abs(shown.right - wanted.right), 1) << name;
            EXPECT_LE(std::abs(shown.bottom - wanted.bottom), 1) << name;
        }
        if (window == root) continue;
        RECT parent{};
        ::GetClientRect(::GetParent(window), &parent);
        EXPECT_TRUE(shown.left >= 0 && shown.top >= 0 && shown.right <= parent.right && shown.bottom <= parent.bottom)
            << name << " lies outside its parent";
        siblings[::GetParent(window)].push_back(window);
    }
    for (const auto& [parent, children] : siblings) {
        for (size_t i = 0; i < children.size(); ++i)
            for (size_t j = i + 1; j < children.size(); ++j) {
                HWND a = children[i], b = children[j];
                if (Overlap(host.Places96().at(a), host.Places96().at(b))) continue;
                EXPECT_FALSE(Overlap(PlaceInParent(a), PlaceInParent(b)))
                    << ClassOf(a) << L" " << ::GetDlgCtrlID(a) << L" overlaps " << ClassOf(b) << L" "
                    << ::GetDlgCtrlID(b);
            }
    }
}

// The size of `text` in the window's own font.
inline SIZE TextSizeIn(HWND window, const std::wstring& text) {
    return TextExtent(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), text);
}

// Every label and button below `root` that shows text shows all of it; returns how many there were.
inline int ExpectTextFits(HWND root) {
    int checked = 0;
    for (const ControlPlace& control : ControlPlaces(root)) {
        const TextNeed need = MeasureText(control);
        if (!need.shown) continue;
        EXPECT_LE(need.needed.cx, need.available.cx) << "too wide: " << control.text;
        EXPECT_LE(need.needed.cy, need.available.cy) << "too tall: " << control.text;
        ++checked;
    }
    return checked;
}

// The DPIs a page is shown at: 100, 125, 150 and 200 %.
inline const std::vector<int>& TestDpis() {
    static const std::vector<int> dpis{96, 120, 144, 192};
    return dpis;
}

}  // namespace scw::test
