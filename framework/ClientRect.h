#pragma once
// A window's client area as a value: what a two-line GetClientRect call gives, in one expression.
#include <windows.h>

namespace scw {

inline RECT ClientRect(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return client;
}

}  // namespace scw
