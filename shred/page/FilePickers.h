#pragma once
// The system's dialogs through which the shredder page is given files: the open-file dialog with
// multiple selection and the folder browser that reopens where it was last.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace scw {

// Full paths of the files chosen, in the order the dialog returns them; empty when cancelled.
std::vector<std::wstring> ChooseFilesToShred(HWND owner);

// The folder chosen in the browser titled "choose path"; nullopt when cancelled. While the
// program runs the browser opens at the folder last highlighted in it.
std::optional<std::wstring> ChooseFolderToShred(HWND owner);

}  // namespace scw
