#pragma once
// Flicker-free painting: draw into a memory DC of the target rectangle and copy it to the
// target once, when the CMemDC goes out of scope. Every skinned control paints through this.
#include <windows.h>

#include "framework/UniqueHandle.h"
#include "framework/ClientRect.h"

namespace scw {

class CMemDC {
public:
    // rect is in the target DC's logical coordinates; drawing into the CMemDC uses the same
    // coordinates (the viewport origin is shifted so rect.left/top map to the bitmap's 0,0).
    CMemDC(HDC target, const RECT& rect) : target_(target), rect_(rect) {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        mem_.Reset(::CreateCompatibleDC(target));
        if (mem_ && width > 0 && height > 0) bitmap_.Reset(::CreateCompatibleBitmap(target, width, height));
        if (!bitmap_) return;  // Draw() then hands out the target itself, unbuffered.
        oldBitmap_ = ::SelectObject(mem_.Get(), bitmap_.Get());
        ::SetViewportOrgEx(mem_.Get(), -rect.left, -rect.top, nullptr);
        // Start from what the target shows so parts nobody paints stay as they were.
        ::BitBlt(mem_.Get(), rect.left, rect.top, width, height, target, rect.left, rect.top, SRCCOPY);
    }
    // Paints the whole client area of a window.
    CMemDC(HDC target, HWND window) : CMemDC(target, ClientRect(window)) {}

    ~CMemDC() {
        if (!bitmap_) return;
        ::BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, mem_.Get(),
                 rect_.left, rect_.top, SRCCOPY);
        ::SelectObject(mem_.Get(), oldBitmap_);
    }
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The DC to draw into: the memory DC, or the target if no bitmap could be made.
    HDC Get() const { return bitmap_ ? mem_.Get() : target_; }
    operator HDC() const { return Get(); }
    const RECT& Rect() const { return rect_; }

private:
    HDC target_;
    RECT rect_;
    UniqueMemDc mem_;
    UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace scw
