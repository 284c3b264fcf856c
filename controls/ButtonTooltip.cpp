#include "controls/ButtonTooltip.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/App.h"

namespace scw {

void ButtonTooltip::Set(HWND button, const std::wstring& text) {
    text_ = text.substr(0, kMaxText - 1);
    if (!button) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = button;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = text_.data();
    if (!tooltip_) {
        tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, button, nullptr,
                                     AppInstance(), nullptr);
        if (!tooltip_) return;
        tool.uFlags = TTF_IDISHWND;
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 250);
}

void ButtonTooltip::Destroy() {
    if (tooltip_ && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
    tooltip_ = nullptr;
}

void ButtonTooltip::Relay(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!tooltip_) return;
    MSG msg{button, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    msg.pt.x = GET_X_LPARAM(::GetMessagePos());
    msg.pt.y = GET_Y_LPARAM(::GetMessagePos());
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace scw
