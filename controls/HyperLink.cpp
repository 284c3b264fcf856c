#include "controls/HyperLink.h"

#include "controls/FocusCue.h"

#include <commctrl.h>
#include <shellapi.h>

#include "framework/App.h"
#include "framework/ScaledFont.h"
#include "framework/Strings.h"

namespace scw {

namespace {
std::wstring RegDefaultValue(HKEY root, const std::wstring& subKey) {
    UniqueKey key;
    if (::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return {};
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);  // room for a terminator the data may lack
    DWORD type = 0;
    if (::RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return std::wstring(buffer, wcsnlen(buffer, bytes / sizeof(wchar_t)));
}
}  // namespace

HyperlinkOps HyperlinkOps::Platform() {
    HyperlinkOps ops;
    ops.shellOpen = [](const std::wstring& target) {
        auto code = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        return code > 32;
    };
    ops.htmOpenCommand = [] {
        std::wstring handler = RegDefaultValue(HKEY_CLASSES_ROOT, L".htm");
        if (handler.empty()) return std::wstring();
        return RegDefaultValue(HKEY_CLASSES_ROOT, handler + L"\\shell\\open\\command");
    };
    ops.run = [](const std::string& commandLine) { return ::WinExec(commandLine.c_str(), SW_SHOWNORMAL) > 31; };
    ops.beep = [] { ::MessageBeep(MB_ICONEXCLAMATION); };
    return ops;
}

std::wstring HtmFallbackCommandLine(const std::wstring& command, const std::wstring& target) {
    if (command.empty()) return {};
    std::wstring line = command;
    size_t cut = line.find(L"\"%1\"");
    if (cut == std::wstring::npos) cut = line.find(L"%1");
    if (cut != std::wstring::npos) line.resize(cut);
    return line + L" " + target;
}

bool OpenHyperlinkTarget(const std::wstring& target, const HyperlinkOps& ops) {
    if (ops.shellOpen && ops.shellOpen(target)) return true;
    std::wstring line = ops.htmOpenCommand ? HtmFallbackCommandLine(ops.htmOpenCommand(), target) : L"";
    if (!line.empty() && ops.run && ops.run(WideToAnsi(line))) return true;
    if (ops.beep) ops.beep();
    return false;
}

CHyperLink::CHyperLink()
    : font_(ScaledFont::Make(L"Verdana", 14, FW_NORMAL, true, 0, DEFAULT_QUALITY, DEFAULT_PITCH)),
      ops_(HyperlinkOps::Platform()) {}

CHyperLink::~CHyperLink() {
    if (tooltip_ && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
}

void CHyperLink::OnAttached() {
    ServeAccessibility(*this);
    // Clicks reach a static only with SS_NOTIFY.
    ::SetWindowLongW(hwnd_, GWL_STYLE, ::GetWindowLongW(hwnd_, GWL_STYLE) | SS_NOTIFY);
    if (target_.empty()) {
        int length = ::GetWindowTextLengthW(hwnd_);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        ::GetWindowTextW(hwnd_, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        target_ = text;
    }
    SendFont(true);
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, AppInstance(), nullptr);
    if (tooltip_) {
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        // The tooltip relays the link's mouse messages itself.
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
        info.lpszText = target_.data();
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CHyperLink::SetURL(const std::wstring& target) {
    target_ = target;
    SetTipText(target);
}

void CHyperLink::SetTipText(const std::wstring& text) {
    if (text.empty() || !tooltip_) return;
    std::wstring copy = text;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    info.lpszText = copy.data();
    ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CHyperLink::SetColours(COLORREF link, COLORREF visited) {
    linkColour_ = link;
    visitedColour_ = visited;
    Redraw();
}

void CHyperLink::SetVisited(bool visited) {
    visited_ = visited;
    Redraw();
}

void CHyperLink::SetUnderline(bool underline) {
    underline_ = underline;
    if (hwnd_ && !underline) ::SendMessageW(hwnd_, WM_SETFONT, 0, FALSE);
    SendFont(true);
    Redraw();
}

HFONT CHyperLink::LinkFont() { return font_.Get(hwnd_ ? DpiOfWindow(hwnd_) : Dpi()); }

void CHyperLink::SendFont(bool always) {
    if (!hwnd_ || !underline_) return;
    const Dpi dpi = DpiOfWindow(hwnd_);
    if (!always && dpi == fontSentFor_) return;
    fontSentFor_ = dpi;
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get(dpi)), FALSE);
}

void CHyperLink::SetAutoSize(bool adjust) {
    adjustToFit_ = adjust;
    Redraw();
}

void CHyperLink::Redraw() {
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

bool CHyperLink::Open() {
    if (!OpenHyperlinkTarget(target_, ops_)) return false;
    SetVisited(true);
    return true;
}

void CHyperLink::OnDpiChanged() {
    // The layout hands out its own copy of our font for a new DPI; ours is the one to show.
    SendFont(true);
}

bool CHyperLink::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == ReflectedMessage(WM_CTLCOLORSTATIC)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, SkinOrSystemColour(visited_ ? visitedColour_ : linkColour_, COLOR_HOTLIGHT));
        ::SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    if (message == WM_SETCURSOR) {
        ::SetCursor(cursor_ ? cursor_ : ::LoadCursorW(nullptr, IDC_ARROW));
        result = TRUE;
        return true;
    }
    if (message == WM_LBUTTONUP) {
        Open();
        result = 0;
        return true;
    }
    if (message == WM_PAINT) SendFont(false);
    return false;
}

}  // namespace scw
