#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

namespace {
// Writes the screen as a 24-bit BMP file.
bool CaptureScreen(const std::wstring& path) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    UniqueMemDc mem(::CreateCompatibleDC(screen));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ old = ::SelectObject(mem.Get(), bitmap.Get());
    ::BitBlt(mem.Get(), 0, 0, width, height, screen, 0, 0, SRCCOPY);
    ::SelectObject(mem.Get(), old);
    ::ReleaseDC(nullptr, screen);
    const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + rowBytes * static_cast<DWORD>(height);
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    DWORD written = 0;
    ::WriteFile(file.Get(), &header, sizeof(header), &written, nullptr);
    ::WriteFile(file.Get(), &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr);
    return ::WriteFile(file.Get(), bits, rowBytes * static_cast<DWORD>(height), &written, nullptr) != FALSE;
}

std::wstring g_menuShot;
void CALLBACK ShootMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    CaptureScreen(g_menuShot);
    ::EndMenu();
}
}  // namespace

// Pictures for a person to look at; runs only when SCOURWELL_SHOTS names a folder.
TEST_F(MainWindowTest, Screenshots) {
    wchar_t folder[260] = {};
    if (!::GetEnvironmentVariableW(L"SCOURWELL_SHOTS", folder, 260)) GTEST_SKIP() << "SCOURWELL_SHOTS not set";
    std::wstring out = std::wstring(folder) + L"\\";
    MakeFolders(out);
    Open();
    ::SetWindowPos(Window(), HWND_TOP, 40, 30, 0, 0, SWP_NOSIZE);
    const UINT commands[] = {ID_TRAY_SECURITY, ID_TRAY_JUNK, ID_TRAY_SHREDDER, ID_TRAY_SETTINGS};
    for (int page = 0; page < 4; ++page) {
        Command(commands[page]);
        ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages(400);
        EXPECT_TRUE(CaptureScreen(out + L"page" + std::to_wstring(page) + L".bmp"));
    }
    Command(ID_TRAY_SECURITY);
    PumpMessages(200);
    ::SetCursorPos(700, 400);
    g_menuShot = out + L"traymenu.bmp";
    ::SetTimer(nullptr, 0, 600, ShootMenu);
    TrayClick(WM_RBUTTONDOWN);
    EXPECT_TRUE(FileExists(g_menuShot));
}

}  // namespace scw::test
