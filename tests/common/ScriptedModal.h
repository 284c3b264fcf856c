#pragma once
// A real dialog run modally, with a script that runs inside its modal loop once it is open.
#include <windows.h>

#include <functional>

namespace scw::test {

inline constexpr UINT kRunScriptMessage = WM_APP + 77;

// Self is the test's own class, which the script receives.
template <typename Dialog, typename Self>
class ScriptedModal : public Dialog {
public:
    using Dialog::Dialog;
    std::function<void(Self&)> script;
    HWND Window() const { return this->hwnd_; }

protected:
    BOOL OnInitDialog() override {
        BOOL result = Dialog::OnInitDialog();
        ::PostMessageW(this->hwnd_, kRunScriptMessage, 0, 0);
        return result;
    }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != kRunScriptMessage) return Dialog::OnMessage(message, wParam, lParam, result);
        if (script) script(static_cast<Self&>(*this));
        return true;
    }
};

}  // namespace scw::test
