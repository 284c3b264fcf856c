#pragma once
// What the shell extension and the main window agree on for handing over a file. The main
// program reads these too, so the two sides cannot drift apart.

namespace lume {

// The main window is found by its exact title and its own window class: a title alone may
// belong to any window (a file manager window of a folder named "Scourwell").
inline constexpr char kMainWindowTitle[] = "Scourwell";
inline constexpr char kMainWindowClass[] = "ScourwellMain";
inline constexpr wchar_t kMainWindowClassW[] = L"ScourwellMain";

// WM_COPYDATA identifiers. 0: the path as a NUL-terminated string in the system code page.
// kHandOffUtf16: the path as a NUL-terminated UTF-16 string, used for paths the code page
// cannot carry.
inline constexpr unsigned long kHandOffNarrow = 0;
inline constexpr unsigned long kHandOffUtf16 = 0x53570010;

// The program the extension starts from its own folder when no window is found.
inline constexpr wchar_t kProgramFileName[] = L"Scourwell.exe";

}  // namespace lume
