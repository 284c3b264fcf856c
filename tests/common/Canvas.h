#pragma once
// What a paint produced, in memory, for pixel checks.
#include <windows.h>

#include <algorithm>

namespace scw::test {

// A 32-bit top-down copy of what a paint produced.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels in the rectangle that are not white.
    int Ink(const RECT& r) const {
        int n = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x)
                if (At(x, y) != RGB(255, 255, 255)) ++n;
        return n;
    }
    // Rightmost column in the rectangle with a pixel darker than mid grey, or -1.
    int RightmostDark(const RECT& r) const {
        for (int x = std::min<int>(width_, r.right) - 1; x >= std::max<int>(0, r.left); --x)
            for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y) {
                COLORREF c = At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110) return x;
            }
        return -1;
    }
    // Pixels whose green clearly outweighs red and blue.
    int Greenish(const RECT& r) const {
        int n = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height_, r.bottom); ++y)
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width_, r.right); ++x) {
                COLORREF c = At(x, y);
                if (GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > 90) ++n;
            }
        return n;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

}  // namespace scw::test
