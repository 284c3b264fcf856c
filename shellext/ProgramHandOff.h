#pragma once
// Hands a file to the main program: by WM_COPYDATA to its running window, or by starting it.
#include <windows.h>

#include <string>

namespace lume {

// The main window by its exact title and its own class, or null.
HWND FindMainWindow();

// Sends the path to the window: narrow (identifier 0) when the system code page carries it
// whole, UTF-16 otherwise.
void SendPathToWindow(HWND window, const std::wstring& path);

// Starts Scourwell.exe from the folder of the given module with "-S:" and the path. The program
// is named as the application and quoted on the command line, so a folder with a blank never
// runs another program.
HRESULT StartProgramWithPath(HMODULE besideModule, const std::wstring& path);

// The whole hand-off of the menu entry.
HRESULT HandOffPath(HMODULE besideModule, const std::wstring& path);

}  // namespace lume
