#include "ControlHost.h"

namespace scw::test {

namespace {
constexpr wchar_t kHostClass[] = L"ScourwellControlTestHost";
}

ControlHost::ControlHost(COLORREF background, int width, int height) {
    brush_ = ::CreateSolidBrush(background);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    ::RegisterClassExW(&wc);  // fails harmlessly when already registered
    hwnd_ = ::CreateWindowExW(0, kHostClass, L"host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), this);
}

ControlHost::~ControlHost() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    ::DeleteObject(brush_);
}

int ControlHost::CountOf(UINT message) const {
    int n = 0;
    for (const auto& m : messages_) n += m.message == message ? 1 : 0;
    return n;
}

LRESULT CALLBACK ControlHost::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ControlHost*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        if (message == WM_COMMAND || message == WM_USER + 100) self->messages_.push_back({message, wParam, lParam});
        if (message == WM_ERASEBKGND) {
            RECT rc;
            ::GetClientRect(hwnd, &rc);
            ::FillRect(reinterpret_cast<HDC>(wParam), &rc, self->brush_);
            return 1;
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HBITMAP MakeSolidBitmap(int width, int height, COLORREF color) {
    return MakeQuadrantBitmap(width, height, color, color, color, color);
}

HBITMAP MakeQuadrantBitmap(int width, int height, COLORREF tl, COLORREF tr, COLORREF bl, COLORREF br) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF colors[4] = {tl, tr, bl, br};
    for (int q = 0; q < 4; ++q) {
        RECT r{(q % 2) * width / 2, (q / 2) * height / 2, (q % 2 + 1) * width / 2, (q / 2 + 1) * height / 2};
        HBRUSH brush = ::CreateSolidBrush(colors[q]);
        ::FillRect(dc, &r, brush);
        ::DeleteObject(brush);
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<unsigned*>(bits);
    dc_ = ::CreateCompatibleDC(nullptr);
    old_ = ::SelectObject(dc_, bitmap_);
    RECT rc{0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(fill);
    ::FillRect(dc_, &rc, brush);
    ::DeleteObject(brush);
}

Canvas::~Canvas() {
    ::SelectObject(dc_, old_);
    ::DeleteDC(dc_);
    ::DeleteObject(bitmap_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    ::GdiFlush();
    const unsigned v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Canvas::Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) n += Pixel(x, y) == color ? 1 : 0;
    return n;
}

void Canvas::Print(HWND window) { ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT); }

void ChangeDpi(HWND host, Dpi dpi, std::initializer_list<HWND> controls) {
    SetLayoutDpi(host, dpi);
    for (HWND control : controls) ::SendMessageW(control, WM_DPICHANGED_AFTERPARENT, 0, 0);
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

int FontHeight(HFONT font) {
    LOGFONTW described{};
    if (!font || !::GetObjectW(font, sizeof(described), &described)) return 0;
    return described.lfHeight;
}

void MouseHover(HWND window, int x, int y) {
    ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_MOUSEHOVER, 0, MAKELPARAM(x, y));
}

void MouseDown(HWND window, int x, int y) { ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

void MouseUp(HWND window, int x, int y) { ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

}  // namespace scw::test
