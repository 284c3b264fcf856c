// Shows the main window's skin with live controls, the progress dialog, and every bitmap, icon and
// animation of the program's resources, so the look can be judged at a glance (and in a screenshot).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "controls/DigiStatic.h"
#include "controls/GlyphButton.h"
#include "controls/MemDC.h"
#include "controls/NButtonEx.h"
#include "controls/PictureEx.h"
#include "controls/SkinDraw.h"
#include "controls/SkinTab.h"
#include "framework/App.h"
#include "res/resource.h"
#include "framework/ClientRect.h"

namespace scw {
namespace {

constexpr int kMainW = 800, kMainH = 686;            // the main window's client area
constexpr POINT kPage{178, 158};                     // where pages sit in it
constexpr POINT kResult{0, 700};                     // the progress dialog's place in the gallery
constexpr int kWindowW = 2400, kWindowH = 1400;
// All other images flow right of the main window, then right of the pictures below it.
constexpr RECT kGridTop{820, 8, kWindowW - 10, 690};
constexpr RECT kGridBottom{1380, 700, kWindowW - 10, kWindowH - 10};
constexpr UINT kShownElsewhere[] = {372, 370, 371, 369, 540, 227, 228};

struct Resource {
    bool icon;
    UINT id;
};

BOOL CALLBACK Collect(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<UINT>*>(list)->push_back(LOWORD(name));
    return TRUE;
}

class Gallery {
public:
    bool Create();

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void Paint(HDC dc);
    void PaintMainSkin(HDC dc);
    void PaintResult(HDC dc);
    void PaintGrid(HDC dc);
    template <typename T>
    T& Add() {
        auto control = std::make_unique<T>();
        T& ref = *control;
        owned_.push_back(std::move(control));
        return ref;
    }
    CNButtonEx& Button(int x, int y, int w, int h, UINT n, UINT ho, UINT p, UINT d, int id, bool enabled = true);

    HWND hwnd_ = nullptr;
    std::vector<std::unique_ptr<CSubclassWindow>> owned_;
    CSkinTab mainTab_, junkTab_;
    std::wstring measured_;
    HFONT font_ = nullptr;
};

bool Gallery::Create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = AppInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDI_MAIN));
    wc.lpszClassName = L"ScourwellGallery";
    ::RegisterClassExW(&wc);
    hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"Scourwell gallery", WS_POPUP | WS_VISIBLE, 0, 0, kWindowW, kWindowH,
                              nullptr, nullptr, AppInstance(), this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK Gallery::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Gallery*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Gallery*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

CNButtonEx& Gallery::Button(int x, int y, int w, int h, UINT n, UINT ho, UINT p, UINT d, int id, bool enabled) {
    auto& button = Add<CNButtonEx>();
    button.SetBitmaps(n, ho, p, d, w, h);
    button.Create(L"", WS_VISIBLE, RECT{x, y, x + w, y + h}, hwnd_, id);
    if (!enabled) button.Enable(false);
    return button;
}

void Gallery::CreateControls() {
    font_ = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Verdana");
    // Main window: window buttons, Update and Help, the tab strip and the side Help button.
    Button(kMainW - 72, 5, 29, 23, IDB_MIN_NORMAL, IDB_MIN_HOVER, IDB_MIN_PRESSED, IDB_MIN_PRESSED, 10202);
    Button(kMainW - 40, 5, 29, 23, IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED, IDB_CLOSE_PRESSED, 10200);
    Button(590, 142, 75, 33, IDB_UPDATE_NORMAL, IDB_UPDATE_HOVER, IDB_UPDATE_HOVER, IDB_UPDATE_HOVER, 1045)
        .SetTooltip(L"Check for a newer version");
    Button(692, 142, 75, 33, IDB_HELP_TOP_NORMAL, IDB_HELP_TOP_HOVER, IDB_HELP_TOP_HOVER, IDB_HELP_TOP_HOVER, 1002);
    Button(18, 458, 139, 39, IDB_HELP_SIDE_NORMAL, IDB_HELP_SIDE_HOVER, IDB_HELP_SIDE_PRESSED, IDB_HELP_SIDE_PRESSED,
           1039);
    mainTab_.Create(hwnd_, RECT{18, 180, 18 + 139, 180 + 204}, 1006);
    mainTab_.SetItemCount(4);
    const UINT tabs[4][3] = {{IDB_TAB_SWEEP_NORMAL, IDB_TAB_SWEEP_HOT, IDB_TAB_SWEEP_SELECTED},
                             {IDB_TAB_JUNK_NORMAL, IDB_TAB_JUNK_HOT, IDB_TAB_JUNK_SELECTED},
                             {IDB_TAB_SHRED_NORMAL, IDB_TAB_SHRED_HOT, IDB_TAB_SHRED_SELECTED},
                             {IDB_TAB_SETTINGS_NORMAL, IDB_TAB_SETTINGS_HOT, IDB_TAB_SETTINGS_SELECTED}};
    for (int i = 0; i < 4; ++i) {
        mainTab_.SetItemRect(i, 0, i * 55, 139, i * 55 + 39);
        mainTab_.SetItemBitmaps(i, tabs[i][0], tabs[i][1], tabs[i][2]);
    }
    ::SendMessageW(mainTab_.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 55 * 2 + 10));  // show a hot tab

    // A page's worth of controls: the sweep page's buttons, in every state.
    const int px = kPage.x, py = kPage.y;
    Button(px + 10, py + 10, 149, 21, 500, 501, 502, 503, 15100);
    Button(px + 159, py + 10, 149, 21, 504, 505, 506, 507, 15101);
    Button(px + 308, py + 10, 149, 21, 508, 509, 510, 511, 15102);
    Button(px + 483, py + 10, 104, 27, 512, 513, 514, 515, 15001);
    Button(px + 483, py + 43, 104, 27, 520, 521, 522, 523, 15002, false);
    Button(px + 483, py + 76, 104, 27, 524, 525, 526, 527, 15003);
    auto& working = Add<CPictureEx>();
    working.Create(WS_VISIBLE, RECT{px + 483, py + 112, px + 586, py + 187}, hwnd_, 1016);
    working.SetBkColor(RGB(255, 255, 255));
    if (working.Load(IDR_GIF_SWEEP_WORKING, L"GIF")) working.Draw();

    // Settings page pieces: check boxes, linked radios, the save button.
    const wchar_t* checks[] = {L"Run at windows startup", L"Check for Scourwell update automatically",
                               L"Scan every"};
    for (int i = 0; i < 3; ++i) {
        auto& box = Add<CNCheckBoxEX>();
        box.Create(checks[i], WS_VISIBLE, RECT{px + 20, py + 210 + i * 24, px + 300, py + 230 + i * 24}, hwnd_,
                   1017 + i);
        ::SendMessageW(box.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        box.SetGlyphStrip(IDB_CHECK_STRIP);
        box.SetTicked(i != 1);
    }
    CNRadioEx* radios[2];
    const wchar_t* radioText[] = {L"Exit", L"Minimize to Tray"};
    for (int i = 0; i < 2; ++i) {
        radios[i] = &Add<CNRadioEx>();
        radios[i]->Create(radioText[i], WS_VISIBLE, RECT{px + 320, py + 210 + i * 24, px + 480, py + 230 + i * 24},
                          hwnd_, 1012 + i);
        ::SendMessageW(radios[i]->GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        radios[i]->SetGlyphStrip(IDB_RADIO_STRIP);
    }
    LinkRadioGroup({radios[0], radios[1]});
    radios[1]->SetTicked(true);
    Button(px + 470, py + 350, 105, 30, IDB_SAVE_NORMAL, IDB_SAVE_HOVER, IDB_SAVE_PRESSED, IDB_MIN_PRESSED, 1011);

    // Junk page pieces: its two-tab strip and the big Scan Now button.
    junkTab_.Create(hwnd_, RECT{px + 10, py + 300, px + 230, py + 326}, 4000);
    junkTab_.SetItemCount(2);
    junkTab_.SetItemRect(0, 0, 0, 108, 26);
    junkTab_.SetItemRect(1, 110, 0, 218, 26);
    junkTab_.SetItemBitmaps(0, IDB_JUNKTAB_SCAN_NORMAL, IDB_JUNKTAB_SCAN_HOT, IDB_JUNKTAB_SCAN_HOT);
    junkTab_.SetItemBitmaps(1, IDB_JUNKTAB_RESULTS_NORMAL, IDB_JUNKTAB_RESULTS_HOT, IDB_JUNKTAB_RESULTS_HOT);
    Button(px + 10, py + 336, 195, 57, IDB_SCANNOW_NORMAL, IDB_SCANNOW_HOVER, IDB_SCANNOW_PRESSED,
           IDB_SCANNOW_PRESSED, 30008);
    Button(px + 220, py + 336, 93, 57, IDB_SHRED_NORMAL, IDB_SHRED_HOVER, IDB_SHRED_PRESSED, IDB_SHRED_HOVER, 15009);
    auto& search = Add<CPictureEx>();
    search.Create(WS_VISIBLE, RECT{px + 330, py + 300, px + 433, py + 406}, hwnd_, 1016);
    search.SetBkColor(RGB(255, 255, 255));
    if (search.Load(IDR_GIF_JUNK_SEARCH, L"GIF")) search.Draw();

    // The progress dialog: animation, digit displays and Exit, over its background.
    const int rx = kResult.x, ry = kResult.y;
    auto& deleting = Add<CPictureEx>();
    deleting.Create(WS_VISIBLE, RECT{rx + 157, ry + 14, rx + 429, ry + 161}, hwnd_, 1016);
    deleting.SetBkColor(RGB(255, 255, 255));
    if (deleting.Load(IDR_GIF_DELETING, L"GIF")) deleting.Draw();
    const int counts[2] = {1234, 1};
    for (int i = 0; i < 2; ++i) {
        auto& digits = Add<CDigiStatic>();
        const int top = i == 0 ? 176 : 213;
        digits.Create(L"0", WS_VISIBLE, RECT{rx + 153, ry + top, rx + 242, ry + top + 24}, hwnd_, 1030 + i);
        digits.SetTransparent(true);
        digits.SetColor(RGB(222, 230, 226), RGB(70, 155, 27));
        digits.ModifyDigiStyle(0, kDigiNoOff);
        digits.SetFormattedText(L"%d", counts[i]);
    }
    Button(rx + 347, ry + 255, 64, 20, IDB_RESULT_EXIT_NORMAL, IDB_RESULT_EXIT_HOVER, IDB_RESULT_EXIT_PRESSED,
           IDB_RESULT_EXIT_PRESSED, 1028);
    // A stand-alone clock-style display with the default colours, and a fourteen-segment one.
    auto& clock = Add<CDigiStatic>();
    clock.Create(L"12:30", WS_VISIBLE, RECT{440, 1020, 640, 1080}, hwnd_, 1040);
    auto& words = Add<CDigiStatic>();
    words.Create(L"", WS_VISIBLE, RECT{660, 1020, 1000, 1080}, hwnd_, 1041);
    words.ModifyDigiStyle(0, kDigiFourteen | kDigiSmooth);
    words.SetText(L"Scan 1.5");

    // What the dialog template of the main window measures to here.
    HWND probe = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(IDD_MAIN), nullptr, nullptr, 0);
    if (probe) {
        RECT rc = ClientRect(probe);
        ::DestroyWindow(probe);
        wchar_t text[96];
        std::swprintf(text, 96, L"main window template client: %ld x %ld pixels", rc.right, rc.bottom);
        measured_ = text;
        std::printf("%ls\n", text);
        std::fflush(stdout);
    }
}

void Gallery::PaintMainSkin(HDC dc) {
    RECT main{0, 0, kMainW, kMainH};
    ::FillRect(dc, &main, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    UniqueBitmap top = LoadSkinBitmap(IDB_SKIN_TOP), left = LoadSkinBitmap(IDB_SKIN_LEFT);
    UniqueBitmap right = LoadSkinBitmap(IDB_SKIN_RIGHT), bottom = LoadSkinBitmap(IDB_SKIN_BOTTOM);
    const SIZE t = BitmapSize(top.Get()), l = BitmapSize(left.Get());
    const SIZE r = BitmapSize(right.Get()), b = BitmapSize(bottom.Get());
    DrawBitmap(dc, top.Get(), 0, 0, t.cx, t.cy);
    DrawBitmap(dc, left.Get(), 0, t.cy, l.cx, l.cy);
    DrawBitmap(dc, right.Get(), kMainW - r.cx, t.cy, r.cx, r.cy);
    DrawBitmap(dc, bottom.Get(), 0, kMainH - b.cy, b.cx, b.cy);
    UniqueBitmap options = LoadSkinBitmap(IDB_OPTIONS_HEADER);
    DrawBitmap(dc, options.Get(), kPage.x + 10, kPage.y + 40, 161, 61);
    UniqueBitmap shred = LoadSkinBitmap(IDB_SHRED_HEADER), junk = LoadSkinBitmap(IDB_JUNK_HEADER);
    DrawBitmap(dc, junk.Get(), kPage.x + 180, kPage.y + 40, 161, 61);
    DrawBitmap(dc, shred.Get(), kPage.x + 350, kPage.y + 40, 161, 61);
}

void Gallery::PaintResult(HDC dc) {
    const int rx = kResult.x, ry = kResult.y;
    UniqueBitmap back = LoadSkinBitmap(IDB_RESULT_BACKGROUND);
    DrawBitmap(dc, back.Get(), rx, ry, 429, 302);
    UniqueBitmap on = LoadSkinBitmap(IDB_RESULT_SEGMENT_ON), off = LoadSkinBitmap(IDB_RESULT_SEGMENT_OFF);
    for (int i = 0; i < 10; ++i) DrawBitmap(dc, i < 6 ? on.Get() : off.Get(), rx + 90 + i * 24, ry + 150, 24, 11);
    UniqueBitmap alert = LoadSkinBitmap(IDB_RESULT_ALERT);
    DrawBitmap(dc, alert.Get(), rx + 32, ry + 242, 275, 42);
}

void Gallery::PaintGrid(HDC dc) {
    std::vector<UINT> bitmaps, icons;
    ::EnumResourceNamesW(AppInstance(), RT_BITMAP, Collect, reinterpret_cast<LONG_PTR>(&bitmaps));
    ::EnumResourceNamesW(AppInstance(), RT_GROUP_ICON, Collect, reinterpret_cast<LONG_PTR>(&icons));
    std::vector<Resource> all;
    for (UINT id : bitmaps) {
        bool skip = false;
        for (UINT s : kShownElsewhere) skip = skip || s == id;
        if (!skip) all.push_back({false, id});
    }
    for (UINT id : icons) all.push_back({true, id});
    SelectScope font(dc, font_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(80, 90, 100));
    RECT area = kGridTop;
    int x = area.left, y = area.top, rowHeight = 0;
    for (const Resource& res : all) {
        UniqueBitmap bitmap = res.icon ? UniqueBitmap() : LoadSkinBitmap(res.id);
        const SIZE size = res.icon ? SIZE{56, 32} : BitmapSize(bitmap.Get());
        if (x + size.cx > area.right) {
            x = area.left;
            y += rowHeight + 18;
            rowHeight = 0;
        }
        if (y + size.cy + 14 > area.bottom && area.top == kGridTop.top) {
            area = kGridBottom;
            x = area.left;
            y = area.top;
        }
        wchar_t label[16];
        std::swprintf(label, 16, res.icon ? L"i%u" : L"%u", res.id);
        ::TextOutW(dc, x, y, label, static_cast<int>(wcslen(label)));
        if (res.icon) {
            for (int s : {16, 32}) {
                HICON icon = static_cast<HICON>(
                    ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(res.id), IMAGE_ICON, s, s, LR_DEFAULTCOLOR));
                ::DrawIconEx(dc, x + (s == 16 ? 0 : 22), y + 14 + (32 - s) / 2, icon, s, s, 0, nullptr, DI_NORMAL);
                ::DestroyIcon(icon);
            }
        } else {
            DrawBitmap(dc, bitmap.Get(), x, y + 14, size.cx, size.cy);
        }
        x += size.cx + 10;
        rowHeight = std::max<int>(rowHeight, size.cy + 14);
    }
    if (!measured_.empty()) ::TextOutW(dc, 440, 1100, measured_.c_str(), static_cast<int>(measured_.size()));
}

void Gallery::Paint(HDC dc) {
    RECT rc = ClientRect(hwnd_);
    UniqueBrush back(::CreateSolidBrush(RGB(226, 230, 236)));
    ::FillRect(dc, &rc, back.Get());
    PaintMainSkin(dc);
    PaintResult(dc);
    UniqueBitmap splash = LoadSkinBitmap(IDB_SPLASH), welcome = LoadSkinBitmap(IDB_WELCOME);
    DrawBitmap(dc, splash.Get(), 440, 700, 456, 300);
    DrawBitmap(dc, welcome.Get(), 910, 700, 456, 300);
    PaintGrid(dc);
}

LRESULT Gallery::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd_);
        CMemDC mem(paint.Get(), paint.Area());
        Paint(mem);
        return 0;
    }
    case WM_PRINTCLIENT:  // lets the transparent controls fetch the exact backdrop
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == 10200) ::DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        owned_.clear();
        if (font_) ::DeleteObject(font_);
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

}  // namespace
}  // namespace scw

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    scw::SetAppInstance(instance);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    scw::ComScope com;
    scw::Gallery gallery;
    if (!gallery.Create()) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
