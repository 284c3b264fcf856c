#pragma once
// Test scaffolding for the skinned controls: a parent window that records what its controls tell
// it, solid-colour bitmaps, and a memory canvas to render a control into and read pixels back.
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "framework/Dpi.h"

namespace scw::test {

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A visible top-level window with a solid background colour that records WM_COMMAND and WM_USER+100.
class ControlHost {
public:
    explicit ControlHost(COLORREF background = RGB(10, 20, 30), int width = 400, int height = 300);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    HWND Hwnd() const { return hwnd_; }
    std::vector<RecordedMessage>& Messages() { return messages_; }
    int CountOf(UINT message) const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    HBRUSH brush_ = nullptr;
    std::vector<RecordedMessage> messages_;
};

HBITMAP MakeSolidBitmap(int width, int height, COLORREF color);
// Four quadrants: top-left, top-right, bottom-left, bottom-right colours.
HBITMAP MakeQuadrantBitmap(int width, int height, COLORREF tl, COLORREF tr, COLORREF bl, COLORREF br);

// A 32-bit memory canvas pre-filled with a sentinel colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const;
    // Renders a window's client area into the canvas through WM_PRINTCLIENT.
    void Print(HWND window);
    int Count(COLORREF color) const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    unsigned* bits_ = nullptr;
};

// What a top-level window's layout does for a new DPI, for controls it did not move: records the
// DPI on the host and tells each control.
void ChangeDpi(HWND host, Dpi dpi, std::initializer_list<HWND> controls);
// The size of a bitmap and a font's character height (lfHeight), for comparing with what a
// control made.
SIZE SizeOf(HBITMAP bitmap);
int FontHeight(HFONT font);

// Sends what a mouse sends: move, hover notice, press and release at a client point.
void MouseHover(HWND window, int x = 2, int y = 2);
void MouseDown(HWND window, int x = 2, int y = 2);
void MouseUp(HWND window, int x = 2, int y = 2);

}  // namespace scw::test
