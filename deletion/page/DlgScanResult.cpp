#include "deletion/page/DlgScanResult.h"

#include <algorithm>
#include <string>

#include "controls/CornerRegion.h"
#include "controls/SelfPaint.h"
#include "controls/SkinDraw.h"
#include "framework/App.h"
#include "res/resource.h"

namespace scw {

namespace {
constexpr COLORREF kDigitGreen = RGB(70, 155, 27);
// The skin rounds the corners off within squares of this size.
constexpr int kCornerSize = 10;
constexpr int kSegmentWidth = 24;
constexpr int kRefreshPauseMs = 20;
constexpr RECT kPictureRect{157, 14, 157 + 272, 14 + 147};
constexpr RECT kDeletedRect{153, 176, 242, 200};
constexpr RECT kFailedRect{153, 213, 242, 237};
constexpr RECT kAlertRect{32, 242, 307, 284};
constexpr RECT kExitRect{347, 255, 411, 275};

void DrawWholeBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
    const SIZE size = BitmapSize(bitmap);
    DrawBitmap(dc, bitmap, x, y, size.cx, size.cy);
}
}  // namespace

CDlgScanResult::CDlgScanResult() : CDialog(IDD_SCAN_RESULT) {}

CDlgScanResult::~CDlgScanResult() {
    channel_.Close();
    DestroyWindow();
}

bool CDlgScanResult::ShowModal(HWND owner) {
    shown_ = false;
    DoModal(owner ? ::GetAncestor(owner, GA_ROOT) : nullptr);
    return shown_;
}

BOOL CDlgScanResult::OnInitDialog() {
    HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    // The template's font was made for the screen the dialog opened on; it shows at its owner's DPI.
    const Dpi fontsMadeFor = DpiOfWindow(hwnd_);
    const Dpi shown = owner ? DpiOfWindow(owner) : fontsMadeFor;

    // Laid out in skin pixels first, then taken to the DPI it is shown at.
    ::SetWindowPos(hwnd_, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();
    layout_.Capture(hwnd_, fontsMadeFor);
    FitToDpi(shown);

    // Centred over the owner (or the screen when there is none).
    RECT over{};
    if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &over);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    }
    const int width = dpi_.Scale(kWidth), height = dpi_.Scale(kHeight);
    const int x = over.left + (over.right - over.left - width) / 2;
    const int y = over.top + (over.bottom - over.top - height) / 2;
    ::SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    steps_.Start(steps_.Total());
    finished_ = false;
    shown_ = true;
    if (onReady_) onReady_();
    return TRUE;
}

void CDlgScanResult::FitToDpi(Dpi dpi) {
    dpi_ = dpi;
    background_ = LoadSkinBitmap(IDB_RESULT_BACKGROUND, dpi);
    segmentOn_ = LoadSkinBitmap(IDB_RESULT_SEGMENT_ON, dpi);
    segmentOff_ = LoadSkinBitmap(IDB_RESULT_SEGMENT_OFF, dpi);
    UniqueBitmap alert = LoadSkinBitmap(IDB_RESULT_ALERT, dpi);
    layout_.Apply(hwnd_, dpi);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, dpi.Scale(kWidth), dpi.Scale(kHeight),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The picture static keeps showing the old bitmap until it has the new one.
    std::swap(alert_, alert);
    ShowAlertPicture();
    CutCorners();
}

void CDlgScanResult::ShowAlertPicture() {
    HWND alert = ::GetDlgItem(hwnd_, kAlertId);
    if (!alert) return;
    // A picture static takes its picture's size: put it back at its place for this DPI.
    RECT place{};
    ::GetWindowRect(alert, &place);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&place), 2);
    ::SendMessageW(alert, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(alert_.Get()));
    ::SetWindowPos(alert, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDlgScanResult::CutCorners() {
    if (HRGN outline = KeyCutCornerRegion(background_.Get(), dpi_.Scale(kCornerSize), kSkinKeyColor)) {
        if (!::SetWindowRgn(hwnd_, outline, TRUE)) ::DeleteObject(outline);
    }
}

void CDlgScanResult::CreateControls() {
    picture_.SetAccessibleName(L"Deleting");
    if (picture_.Create(SS_NOTIFY, kPictureRect, hwnd_, kPictureId) && picture_.Load(IDR_GIF_DELETING, L"GIF")) {
        ::ShowWindow(picture_.GetSafeHwnd(), SW_SHOW);
        picture_.Draw();
    }

    CDigiStatic* displays[] = {&deletedDisplay_, &failedDisplay_, &totalDisplay_};
    const RECT rects[] = {kDeletedRect, kFailedRect, kDeletedRect};
    const int ids[] = {kDeletedId, kFailedId, kTotalId};
    for (int i = 0; i < 3; ++i) {
        CDigiStatic& display = *displays[i];
        // The total is kept in a display of its own that is never shown.
        const DWORD visible = i < 2 ? WS_VISIBLE : 0;
        if (!display.Create(L"0", visible, rects[i], hwnd_, ids[i])) continue;
        display.SetTransparent(true);
        display.SetAccessibleName(i == 0 ? L"Deleted" : i == 1 ? L"Failed" : L"Total");
        // Only lit segments: unlit ones would show as ghosts on the light background.
        display.ModifyDigiStyle(0, kDigiNoOff);
        display.SetColor(kDigitGreen, kDigitGreen);
        display.SetText(i < 2 ? L"0" : std::to_wstring(steps_.Total()));
    }

    // Its picture comes with the DPI (FitToDpi).
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_BITMAP, kAlertRect.left, kAlertRect.top,
                      kAlertRect.right - kAlertRect.left, kAlertRect.bottom - kAlertRect.top, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAlertId)), AppInstance(), nullptr);

    // The Exit button is the only way out, and only once the deletion is done.
    if (exit_.Create(L"Exit", WS_TABSTOP, kExitRect, hwnd_, kExitId)) {
        exit_.SetBitmaps(IDB_RESULT_EXIT_NORMAL, IDB_RESULT_EXIT_HOVER, IDB_RESULT_EXIT_PRESSED, IDB_RESULT_EXIT_NORMAL,
                         kExitRect.right - kExitRect.left, kExitRect.bottom - kExitRect.top);
    }
}

// Runs on the reporting thread, with a short pause at each new segment so that a fast deletion
// stays visible.
void CDlgScanResult::Show(DeletionSteps::Change change) {
    if (change.counts) ShowCounts();
    if (change.bar) RepaintBar();
    if (change.counts) ::Sleep(kRefreshPauseMs);
}

void CDlgScanResult::ShowCounts() {
    channel_.Send([this] {
        if (!hwnd_) return;
        deletedDisplay_.SetText(std::to_wstring(steps_.Deleted()));
        failedDisplay_.SetText(std::to_wstring(steps_.Failed()));
    });
}

void CDlgScanResult::RepaintBar() {
    channel_.Post([this] {
        if (!hwnd_) return;
        const RECT bar = BarRect();
        ::InvalidateRect(hwnd_, &bar, FALSE);
    });
}

void CDlgScanResult::FinishDeletion() {
    steps_.Finish();
    channel_.Send([this] {
        if (hwnd_) OnFinish();
    });
}

void CDlgScanResult::OnFinish() {
    deletedDisplay_.SetText(std::to_wstring(steps_.Deleted()));
    failedDisplay_.SetText(std::to_wstring(steps_.Failed()));
    const RECT bar = BarRect();
    ::InvalidateRect(hwnd_, &bar, FALSE);
    picture_.Stop();
    ::ShowWindow(exit_.GetSafeHwnd(), SW_SHOW);
    // The keyboard's way out is ready: Enter or Space on Exit.
    ::SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(exit_.GetSafeHwnd()), TRUE);
    if (steps_.Failed() >= 1) ::ShowWindow(::GetDlgItem(hwnd_, kAlertId), SW_SHOW);
    finished_ = true;
}

void CDlgScanResult::PaintFace(HDC dc) {
    DrawWholeBitmap(dc, background_.Get(), 0, 0);
    const int filled = std::min(steps_.Step(), kSegments);
    for (int i = 0; i < kSegments; ++i) {
        DrawWholeBitmap(dc, i < filled ? segmentOn_.Get() : segmentOff_.Get(),
                        dpi_.Scale(kBarRect.left + i * kSegmentWidth), dpi_.Scale(kBarRect.top));
    }
}

bool CDlgScanResult::OnDpiChanged(Dpi dpi, const RECT* suggested) {
    // Moved to a screen of another scale: remade for it, at the place the system suggests.
    FitToDpi(dpi);
    if (suggested)
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    return true;
}

bool CDlgScanResult::OnCommand(WORD id, WORD /*code*/, HWND /*control*/) {
    if (id != kExitId) return false;
    // Only a shown Exit counts: the deletion must be over before the dialog goes.
    if (finished_.load()) EndDialog(IDOK);
    return true;
}

void CDlgScanResult::OnDestroy() { picture_.Stop(); }

bool CDlgScanResult::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (HandleSelfPaint(hwnd_, message, wParam, result, [this](HDC dc) { PaintFace(dc); })) return true;
    return ReflectToControl(message, wParam, lParam, result);
}

}  // namespace scw
