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

Dpi SystemDpiOfWindow(HWND window) {
    using GetForWindow = UINT(WINAPI*)(HWND);
    static const auto get = User32Function<GetForWindow>("GetDpiForWindow");
    if (get && window) {
        if (UINT dpi = get(window)) return Dpi(static_cast<int>(dpi));
    }
    return SystemDpi();
}

Dpi DpiOfWindow(HWND window) {
    HWND root = window ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (root) {
        if (auto recorded = reinterpret_cast<INT_PTR>(::GetPropW(root, kLayoutDpiProperty)))
            return Dpi(static_cast<int>(recorded));
    }
    return SystemDpiOfWindow(root);
}

void SetLayoutDpi(HWND topLevel, Dpi dpi) {
    if (topLevel) ::SetPropW(topLevel, kLayoutDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi.Value())));
}

void ForgetLayoutDpi(HWND topLevel) {
    if (topLevel) ::RemovePropW(topLevel, kLayoutDpiProperty);
}

int SystemMetricForDpi(int index, Dpi dpi) {
    using ForDpi = int(WINAPI*)(int, UINT);
    static const auto get = User32Function<ForDpi>("GetSystemMetricsForDpi");
    // Without the system's call, the metric it gives at its own DPI is taken to `dpi`.
    return get ? get(index, static_cast<UINT>(dpi.Value())) : dpi.Rescale(::GetSystemMetrics(index), SystemDpi());
}

SIZE SmallIconSize(Dpi dpi) { return SIZE{SystemMetricForDpi(SM_CXSMICON, dpi), SystemMetricForDpi(SM_CYSMICON, dpi)}; }
SIZE LargeIconSize(Dpi dpi) { return SIZE{SystemMetricForDpi(SM_CXICON, dpi), SystemMetricForDpi(SM_CYICON, dpi)}; }

void KeepDialogScalingOurs(HWND dialog) {
    using SetDialogBehavior = BOOL(WINAPI*)(HWND, int, int);
    static const auto set = User32Function<SetDialogBehavior>("SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (set) set(dialog, kDisableAll, kDisableAll);
}

void KeepControlScalingOurs(HWND control) {
    using SetControlBehavior = BOOL(WINAPI*)(HWND, int, int);
    static const auto set = User32Function<SetControlBehavior>("SetDialogControlDpiChangeBehavior");
    constexpr int kFontAndPlace = 1 | 2;  // DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT
    if (set) set(control, kFontAndPlace, kFontAndPlace);
}

}  // namespace scw
