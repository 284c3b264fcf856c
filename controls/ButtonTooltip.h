#pragma once
// The tooltip of a drawn button: made on the first text given once the button exists, its text
// updated afterwards, and the button's mouse messages relayed to it by the button.
#include <windows.h>

#include <string>

namespace scw {

class ButtonTooltip {
public:
    static constexpr size_t kMaxText = 64;  // with the terminator

    ButtonTooltip() = default;
    ~ButtonTooltip() { Destroy(); }
    ButtonTooltip(const ButtonTooltip&) = delete;
    ButtonTooltip& operator=(const ButtonTooltip&) = delete;

    // Keeps the text, cut to fit; with no button yet only the text is kept.
    void Set(HWND button, const std::wstring& text);
    void Relay(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    void Destroy();

    const std::wstring& Text() const { return text_; }
    HWND Window() const { return tooltip_; }

private:
    std::wstring text_;
    HWND tooltip_ = nullptr;
};

}  // namespace scw
