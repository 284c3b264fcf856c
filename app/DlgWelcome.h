#pragma once
// The splash window shown while the catalogue is built.
#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CDlgWelcome : public CDialog {
public:
    // The picture's size at 96 DPI; the window takes it at its own DPI.
    static constexpr int kWidth = 456;
    static constexpr int kHeight = 300;

    CDlgWelcome();
    bool SplashMode() const { return splashMode_; }

protected:
    BOOL OnInitDialog() override;
    bool OnPaint() override;
    bool OnDpiChanged(Dpi dpi, const RECT* suggested) override;
    void OnDestroy() override;

private:
    // Loads the picture for `dpi` and sizes the window to it, centred on the screen or, when the
    // system suggests a place, there.
    void ShowAt(Dpi dpi, const RECT* suggested);

    bool splashMode_ = true;  // set on construction and never cleared
    UniqueBitmap image_;
};

}  // namespace scw
