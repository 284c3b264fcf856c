#include "junk/page/JunkFolderBrowser.h"

#include <shlobj.h>

#include <mutex>

namespace scw {

namespace {
std::mutex g_lock;
wchar_t g_lastHighlighted[MAX_PATH] = {};

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM) {
    if (message == BFFM_INITIALIZED) {
        std::wstring start = JunkBrowserStartFolder();
        // The browser does not select "C:\data\" but does select "C:\data" and "C:\".
        if (start.size() > 3 && start.back() == L'\\') start.pop_back();
        if (!start.empty()) ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    } else if (message == BFFM_SELCHANGED) {
        wchar_t path[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
            SetJunkBrowserStartFolder(path);
            ::SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

void FreeItemList(PIDLIST_ABSOLUTE list) {
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(list);
        allocator->Release();
    }
}
}  // namespace

std::wstring JunkBrowserStartFolder() {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_lastHighlighted;
}

void SetJunkBrowserStartFolder(const std::wstring& folder) {
    std::lock_guard<std::mutex> guard(g_lock);
    // A path that does not fit is not kept at all: a cut one would open somewhere else.
    if (folder.size() < MAX_PATH) lstrcpynW(g_lastHighlighted, folder.c_str(), MAX_PATH);
}

std::optional<std::wstring> BrowseForJunkFolder(HWND owner) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = L"Choose junk files path";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    info.lpfn = BrowseCallback;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    FreeItemList(chosen);
    if (!ok) return std::nullopt;
    return std::wstring(path);
}

}  // namespace scw
