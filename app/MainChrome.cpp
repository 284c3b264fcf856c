#include "app/MainChrome.h"

#include <string>

#include "app/ProgramIcon.h"
#include "app/SiteAddresses.h"
#include "controls/MemDC.h"
#include "controls/SkinDraw.h"
#include "framework/ClientRect.h"
#include "framework/ScaleChildren.h"
#include "framework/StartupTrace.h"
#include "res/resource.h"

namespace scw {

namespace {
constexpr int kCornerSize = 7;

// The address as a person reads it: no scheme, no trailing slash.
std::wstring DisplayAddress(std::wstring url) {
    if (size_t scheme = url.find(L"://"); scheme != std::wstring::npos) url.erase(0, scheme + 3);
    if (!url.empty() && url.back() == L'/') url.pop_back();
    return url;
}
}  // namespace

void MainChrome::Build(HWND window) {
    window_ = window;
    homeLink_.AttachDlgItem(window_, IDC_MAIN_HOMELINK);
    ::SetWindowTextW(homeLink_.GetSafeHwnd(), DisplayAddress(kHomePageUrl).c_str());
    homeLink_.SetURL(kHomePageUrl);
    homeLink_.SetLinkCursor(::LoadCursorW(nullptr, IDC_HAND));

    ::SetWindowTextW(window_, L"Scourwell");

    background_.SetOwner(window_, ClientRect(window_));
    background_.SetDpi(Dpi());
    background_.SetBitmap(CBackGround::kTop, IDB_SKIN_TOP);
    background_.SetBitmap(CBackGround::kLeft, IDB_SKIN_LEFT);
    background_.SetBitmap(CBackGround::kRight, IDB_SKIN_RIGHT);
    background_.SetBitmap(CBackGround::kBottom, IDB_SKIN_BOTTOM);

    FitToSkin();
    SkinButtons();
}

void MainChrome::FitToSkin() {
    // The skin is drawn for two pixels per dialog unit. The window takes the skin's size and the
    // template's controls keep their places on it, whatever the dialog font measures here.
    const SIZE top = background_.BitmapSize(CBackGround::kTop);
    const SIZE left = background_.BitmapSize(CBackGround::kLeft);
    if (top.cx <= 0 || left.cy <= 0) return;
    const int width = top.cx;
    const int height = top.cy + left.cy;
    size96_ = SIZE{width, height};
    ScaleChildren(window_, width, height);
    ::SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    background_.SetOwner(window_, ClientRect(window_));
}

void MainChrome::SkinButtons() {
    // Their texts are not drawn (the pictures say it); they name the buttons for screen readers.
    minimizeButton_.Create(L"Minimize", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 29, 23}, window_,
                           ID_MAIN_MINIMIZE);
    minimizeButton_.SetBitmaps(IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED, IDB_MIN_PRESSED, 29, 23);
    closeButton_.Create(L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 29, 23}, window_, ID_MAIN_CLOSE);
    closeButton_.SetBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED, IDB_CLOSE_PRESSED, 29, 23);
    updateButton_.AttachDlgItem(window_, IDC_MAIN_UPDATE);
    updateButton_.SetBitmaps(IDB_UPDATE_NORMAL, IDB_UPDATE_HOVER, IDB_UPDATE_HOVER, IDB_UPDATE_HOVER, 75, 33);
    helpTopButton_.AttachDlgItem(window_, IDC_MAIN_HELP_TOP);
    helpTopButton_.SetBitmaps(IDB_HELP_TOP_NORMAL, IDB_HELP_TOP_HOVER, IDB_HELP_TOP_HOVER, IDB_HELP_TOP_HOVER, 75, 33);
    helpSideButton_.AttachDlgItem(window_, IDC_MAIN_HELP_SIDE);
    helpSideButton_.SetBitmaps(IDB_HELP_SIDE_NORMAL, IDB_HELP_SIDE_HOVER, IDB_HELP_SIDE_PRESSED,
                               IDB_HELP_SIDE_PRESSED, 139, 39);
}

void MainChrome::PlaceButtons(int pagesTop) {
    const int w = ClientRect(window_).right;
    ::SetWindowPos(minimizeButton_.GetSafeHwnd(), nullptr, w - 72, 5, 29, 23, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(closeButton_.GetSafeHwnd(), nullptr, w - 40, 5, 29, 23, SWP_NOZORDER | SWP_NOACTIVATE);
    // Update and Help sit just under the banner and end above the pages' first row of buttons
    // (10 pixels into a page), so neither covers the other.
    for (HWND button : {updateButton_.GetSafeHwnd(), helpTopButton_.GetSafeHwnd()}) {
        RECT rc;
        if (!button || !::GetWindowRect(button, &rc)) continue;
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rc), 2);
        const int top = pagesTop + 8 - (rc.bottom - rc.top);
        ::SetWindowPos(button, nullptr, rc.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainChrome::CaptureAndApply(Dpi dpi) {
    layout_.Capture(window_, dpi);
    ApplyDpi(dpi, nullptr);
}

void MainChrome::ApplyDpi(Dpi dpi, const RECT* suggested) {
    SetIcons(dpi);
    // At 96 DPI the window is already as the skin is drawn: nothing moves.
    if (!suggested && dpi == Dpi() && background_.GetDpi() == dpi) return;
    background_.SetDpi(dpi);
    const SIZE size = dpi.Scale(size96_);
    // The corners are cut again at the new size by the next paint.
    ::SetWindowRgn(window_, nullptr, FALSE);
    if (suggested)
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    else
        ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    background_.SetOwner(window_, ClientRect(window_));
    layout_.Apply(window_, dpi);
}

void MainChrome::SetIcons(Dpi dpi) {
    mainIcon_.Reset(LoadProgramIcon(IDI_MAIN, SmallIconSize(dpi)));
    bigIcon_.Reset(LoadProgramIcon(IDI_MAIN, LargeIconSize(dpi)));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mainIcon_.Get()));
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
}

void MainChrome::Paint() {
    {
        PaintScope paint(window_);
        CMemDC mem(paint.Get(), window_);
        background_.ComposeMainWindow(mem);
        background_.CutCorners(mem, DpiOfWindow(window_).Scale(kCornerSize), kSkinKeyColor);
    }
    if (!firstPaintMarked_ && ::IsWindowVisible(window_)) {
        firstPaintMarked_ = true;
        StartupMark("main window visible");
    }
}

std::array<HWND, 2> MainChrome::WindowsBeforeStrip() const {
    return {updateButton_.GetSafeHwnd(), helpTopButton_.GetSafeHwnd()};
}

std::array<HWND, 4> MainChrome::WindowsAfterPages() const {
    return {helpSideButton_.GetSafeHwnd(), homeLink_.GetSafeHwnd(), minimizeButton_.GetSafeHwnd(),
            closeButton_.GetSafeHwnd()};
}

}  // namespace scw
