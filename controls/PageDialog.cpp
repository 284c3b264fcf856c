#include "controls/PageDialog.h"

#include "controls/WhiteBackground.h"

namespace scw {

void CPageDialog::TakePageSize() {
    ::SetWindowPos(hwnd_, nullptr, 0, 0, kPageWidth, kPageHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CPageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (OnPageMessage(message, wParam, lParam, result)) return true;
    return HandleWhiteBackground(hwnd_, message, wParam, result);
}

}  // namespace scw
