#pragma once
// The splash window shown while the catalogue is built.
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

namespace scw {

class CDlgWelcome : public CDialog {
public:
    static constexpr int kWidth = 456;
    static constexpr int kHeight = 300;

    CDlgWelcome();
    bool SplashMode() const { return splashMode_; }

protected:
    BOOL OnInitDialog() override;
    bool OnPaint() override;

private:
    bool splashMode_ = true;  // set on construction and never cleared
    UniqueBitmap image_;
};

}  // namespace scw
