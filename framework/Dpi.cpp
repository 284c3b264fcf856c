#include "framework/Dpi.h"

namespace scw {

namespace {
constexpr wchar_t kLayoutDpiProperty[] = L"Scourwell.LayoutDpi";

// Calls that older systems lack are looked up, not linked.
template <typename Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}
}  // namespace

void EnableDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (auto set = User32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        // -4 is per-monitor v2, -3 per-monitor; the manifest has usually set one already.
        if (set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||
            set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3))) || ::GetLastError() == ERROR_ACCESS_DENIED)
            return;
    }
    ::SetProcessDPIAware();
}

Dpi SystemDpi() {
    using GetForSystem = UINT(WINAPI*)();
    if (auto get = User32Function<GetForSystem>("GetDpiForSystem")) return Dpi(static_cast<int>(get()));
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ::ReleaseDC(nullptr, screen);
    return Dpi(dpi);
}

Dpi DpiOfWindow(HWND window) {
    HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (root) {
        if (auto recorded = reinterpret_cast<INT_PTR>(::GetPropW(root, kLayoutDpiProperty)))
            return Dpi(static_cast<int>(recorded));
        using GetForWindow = UINT(WINAPI*)(HWND);
        static const auto get = User32Function<GetForWindow>("GetDpiForWindow");
        if (get) {
            if (UINT dpi = get(root)) return Dpi(static_cast<int>(dpi));
        }
    }
    return SystemDpi();
}

void SetLayoutDpi(HWND topLevel, Dpi dpi) {
    if (topLevel) ::SetPropW(topLevel, kLayoutDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi.Value())));
}

void ForgetLayoutDpi(HWND topLevel) {
    if (topLevel) ::RemovePropW(topLevel, kLayoutDpiProperty);
}

namespace {
SIZE MetricPair(int xIndex, int yIndex, Dpi dpi) {
    using ForDpi = int(WINAPI*)(int, UINT);
    static const auto get = User32Function<ForDpi>("GetSystemMetricsForDpi");
    if (get) return SIZE{get(xIndex, static_cast<UINT>(dpi.Value())), get(yIndex, static_cast<UINT>(dpi.Value()))};
    return SIZE{::GetSystemMetrics(xIndex), ::GetSystemMetrics(yIndex)};
}
}  // namespace

SIZE SmallIconSize(Dpi dpi) { return MetricPair(SM_CXSMICON, SM_CYSMICON, dpi); }
SIZE LargeIconSize(Dpi dpi) { return MetricPair(SM_CXICON, SM_CYICON, dpi); }

}  // namespace scw
