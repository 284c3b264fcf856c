#include "app/PageStrip.h"

#include "app/PageIndex.h"
#include "app/PageKeys.h"
#include "controls/FocusCue.h"
#include "res/resource.h"
#include "state/RunFlags.h"

namespace scw {

void PageStrip::Create(HWND owner) {
    owner_ = owner;
    constexpr int kTabWidth = 139, kTabHeight = 39, kTabGap = 16;
    strip_.Create(owner, RECT{18, 180, 18 + kTabWidth, 180 + 204}, IDC_MAIN_TAB);
    strip_.SetItemCount(kPageCount);
    strip_.SetAccessibleName(L"Pages");
    // Pages must not change under a running junk search.
    strip_.SetLocked([] { return JunkSearchBusy.load() != 0; });
    const UINT images[kPageCount][3] = {{IDB_TAB_SWEEP_NORMAL, IDB_TAB_SWEEP_HOT, IDB_TAB_SWEEP_SELECTED},
                                        {IDB_TAB_JUNK_NORMAL, IDB_TAB_JUNK_HOT, IDB_TAB_JUNK_SELECTED},
                                        {IDB_TAB_SHRED_NORMAL, IDB_TAB_SHRED_HOT, IDB_TAB_SHRED_SELECTED},
                                        {IDB_TAB_SETTINGS_NORMAL, IDB_TAB_SETTINGS_HOT, IDB_TAB_SETTINGS_SELECTED}};
    for (int i = 0; i < kPageCount; ++i) {
        const int top = i * (kTabHeight + kTabGap);
        strip_.SetItemRect(i, 0, top, kTabWidth, top + kTabHeight);
        strip_.SetItemBitmaps(i, images[i][0], images[i][1], images[i][2]);
        strip_.SetItemName(i, kPageNames[i]);
    }
}

bool PageStrip::HandlePageKey(const MSG& msg, const std::function<HWND()>& firstControlShown) {
    const std::optional<int> page = PageForKey(msg, Selected(), Count());
    if (!page) return false;
    ShowFocusCuesFromNowOn(owner_);
    const bool stripHadFocus = ::GetFocus() == Window();
    // The strip decides, so a locked strip refuses keys exactly as it refuses clicks.
    if (strip_.Choose(*page)) {
        HWND target = Window();
        if (!stripHadFocus) {
            if (HWND first = firstControlShown()) target = first;
        }
        ::SendMessageW(owner_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    }
    return true;
}

}  // namespace scw
