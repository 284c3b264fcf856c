#include "app/PageKeys.h"

namespace scw {

namespace {
bool Down(int key) { return (::GetKeyState(key) & 0x8000) != 0; }
}  // namespace

std::optional<int> PageForKey(const MSG& msg, int current, int count) {
    if (msg.message != WM_KEYDOWN || count <= 0 || !Down(VK_CONTROL) || Down(VK_MENU)) return std::nullopt;
    const WPARAM key = msg.wParam;
    if (key == VK_TAB) {
        const int step = Down(VK_SHIFT) ? count - 1 : 1;
        return ((current < 0 ? 0 : current) + step) % count;
    }
    int index = -1;
    if (key >= '1' && key <= '9') index = static_cast<int>(key - '1');
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD9) index = static_cast<int>(key - VK_NUMPAD1);
    if (index < 0 || index >= count) return std::nullopt;
    return index;
}

bool IsNavigationKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

}  // namespace scw
