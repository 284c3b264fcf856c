#include "shred/page/ShredMethods.h"
#include "res/resource.h"

namespace scw {

namespace {
constexpr int kFirstLabelId = 4001;
}  // namespace

void ShredMethods::Create(HWND page, int firstId, int top, int labelRight) {
    page_ = page;
    const wchar_t* labels[3] = {L"Quick(1 overwrite pass)", L"Safe(DOD 5220.22-M:3 overwrite passes)",
                                L"Thorough(7 overwrite passes)"};
    for (int i = 0; i < 3; ++i) {
        const int y = top + i * 20;
        radios_[i].Create(L"", WS_VISIBLE | WS_TABSTOP, RECT{10, y, 26, y + 18}, page, firstId + i);
        radios_[i].SetGlyphStrip(IDB_RADIO_STRIP);
        labels_[i].Create(labels[i], WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, RECT{28, y, labelRight, y + 18}, page,
                          kFirstLabelId + i);
    }
    LinkRadioGroup({&radios_[0], &radios_[1], &radios_[2]});
    radios_[0].SetTicked(true);
}

int ShredMethods::Passes() const {
    if (radios_[2].IsTicked()) return 7;
    if (radios_[1].IsTicked()) return 3;
    return 1;
}

void ShredMethods::Enable(bool enable) {
    for (CNRadioEx& radio : radios_) ::EnableWindow(radio.GetSafeHwnd(), enable);
    for (CMyStaticCtrl& label : labels_) {
        label.SetTextColor(enable ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT));
        RECT rc;
        ::GetWindowRect(label.GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&rc), 2);
        ::RedrawWindow(page_, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace scw
