#include "shred/page/FilePickers.h"

#include <commdlg.h>
#include <shlobj.h>

#include "framework/UniqueHandle.h"

namespace scw {

namespace {
// The folder last highlighted in this page's browser, kept while the program runs.
wchar_t g_lastFolder[MAX_PATH] = {};

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM) {
    if (message == BFFM_INITIALIZED && g_lastFolder[0]) {
        std::wstring start = g_lastFolder;
        if (start.size() > 3 && start.back() == L'\\') start.pop_back();
        ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    } else if (message == BFFM_SELCHANGED) {
        wchar_t path[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
            lstrcpynW(g_lastFolder, path, MAX_PATH);
            ::SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}
}  // namespace

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
    ComScope com;
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = L"choose path";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    info.lpfn = BrowseCallback;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    ::CoTaskMemFree(chosen);
    if (!ok || !path[0]) return std::nullopt;
    return std::wstring(path);
}

}  // namespace scw
