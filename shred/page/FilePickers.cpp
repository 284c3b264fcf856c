#include "shred/page/FilePickers.h"

#include <commdlg.h>

#include "controls/FolderBrowser.h"

namespace scw {

std::vector<std::wstring> ChooseFilesToShred(HWND owner) {
    std::vector<wchar_t> buffer(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"*.*\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&ofn)) return {};
    // One file: its full path. Several: the folder, then each name, each ended by a NUL.
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::wstring folder = parts[0];
    if (folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> paths;
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

std::optional<std::wstring> ChooseFolderToShred(HWND owner) {
    // One browser for the page while the program runs, remembering its own folder.
    static RememberingFolderBrowser browser(L"choose path");
    return browser.Browse(owner);
}

}  // namespace scw
