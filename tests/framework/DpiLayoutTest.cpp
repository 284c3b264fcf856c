// A layout recorded once at 96 DPI and applied at one scale after another: every window lands
// where that scale puts it, however many changes came before, and nothing drifts.
#include <gtest/gtest.h>

#include "framework/DpiLayout.h"
#include "tests/common/DpiHost.h"
#include "tests/common/TestSupport.h"

namespace scw {
namespace {

struct Laid {
    HWND root = nullptr;
    HWND button = nullptr;
    HWND page = nullptr;      // a child dialog, as the main window's pages are
    HWND inPage = nullptr;    // a control of that page
    HWND doomed = nullptr;    // destroyed between the record and an apply
    UniqueFont font;
    DpiLayout layout;

    Laid() {
        root = ::CreateWindowExW(0, L"STATIC", L"root", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        button = Child(L"BUTTON", root, 13, 17, 101, 23);
        page = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"", WS_CHILD | WS_VISIBLE, 178, 158, 300, 200, root,
                                 nullptr, nullptr, nullptr);
        inPage = Child(L"EDIT", page, 7, 9, 131, 21);
        doomed = Child(L"STATIC", root, 5, 400, 50, 20);
        font.Reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana"));
        ::SendMessageW(inPage, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        layout.Capture(root, Dpi());
    }
    ~Laid() { ::DestroyWindow(root); }
    static HWND Child(const wchar_t* cls, HWND parent, int x, int y, int w, int h) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
    }
    bool At(HWND window, RECT at96, Dpi dpi) const {
        const RECT shown = test::PlaceInParent(window);
        const RECT wanted = dpi.Scale(at96);
        return EqualRect(&shown, &wanted) != FALSE;
    }
    LONG FontHeight(HWND window) const {
        LOGFONTW shown{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof shown, &shown);
        return shown.lfHeight;
    }
};

TEST(DpiLayout, EveryScaleIsTakenFromThe96DpiRecordSoRepeatedChangesNeverDrift) {
    Laid laid;
    EXPECT_EQ(laid.layout.Count(), 4u) << "the page's own control is recorded with the top level's";
    const RECT button96{13, 17, 114, 40}, page96{178, 158, 478, 358}, inPage96{7, 9, 138, 30};
    for (int round = 0; round < 3; ++round) {
        for (int value : {120, 144, 168, 192, 96}) {
            const Dpi dpi(value);
            laid.layout.Apply(laid.root, dpi);
            EXPECT_TRUE(laid.At(laid.button, button96, dpi)) << value;
            EXPECT_TRUE(laid.At(laid.page, page96, dpi)) << value;
            EXPECT_TRUE(laid.At(laid.inPage, inPage96, dpi)) << value;
            EXPECT_EQ(laid.FontHeight(laid.inPage), dpi.Scale(-11)) << value;
        }
    }
    // Back at the DPI it was recorded at, a control has the very font it was given.
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(laid.inPage, WM_GETFONT, 0, 0)), laid.font.Get());
}

TEST(DpiLayout, AWindowDestroyedAfterTheRecordIsLeftOutAndTheRestStillMove) {
    Laid laid;
    ::DestroyWindow(laid.doomed);
    laid.layout.Apply(laid.root, Dpi(144));
    EXPECT_TRUE(laid.At(laid.button, RECT{13, 17, 114, 40}, Dpi(144)));
    EXPECT_EQ(DpiOfWindow(laid.root), Dpi(144));
}

}  // namespace
}  // namespace scw
