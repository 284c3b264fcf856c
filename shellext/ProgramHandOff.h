#pragma once
// Hands a file to the main program: by WM_COPYDATA to its running window, or by starting it.
#include <windows.h>

#include <string>

namespace lume {

// How long the file manager waits for the main window to take a path. A window that does not
// answer by then (or that the system already counts as hung) gets nothing more from us: the
// file manager must never hang on another program.
inline constexpr UINT kHandOffTimeoutMs = 3000;

// The main window by its exact title and its own class, but only one of a process that runs
// Scourwell.exe from the folder of the given module: any program can make a window with our
// class and title. Null when there is none.
HWND FindMainWindow(HMODULE besideModule);

// Sends the path to the window: narrow (identifier 0) when the system code page carries it
// whole, UTF-16 otherwise. S_OK once the window has taken it; a failure when it did not answer
// within kHandOffTimeoutMs.
HRESULT SendPathToWindow(HWND window, const std::wstring& path);

// Starts Scourwell.exe from the folder of the given module with "-S:" and the path. The program
// is named as the application and quoted on the command line, so a folder with a blank never
// runs another program.
HRESULT StartProgramWithPath(HMODULE besideModule, const std::wstring& path);

// The whole hand-off of the menu entry.
HRESULT HandOffPath(HMODULE besideModule, const std::wstring& path);

}  // namespace lume
