#include "controls/FolderBrowser.h"

#include <shlobj.h>

#include "framework/UniqueHandle.h"

namespace scw {

namespace {
void FreeItemList(PIDLIST_ABSOLUTE list) {
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(::SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(list);
        allocator->Release();
    }
}
}  // namespace

int CALLBACK RememberingFolderBrowser::Callback(HWND browser, UINT message, LPARAM lParam, LPARAM data) {
    auto* self = reinterpret_cast<RememberingFolderBrowser*>(data);
    if (message == BFFM_INITIALIZED) {
        std::wstring start = self->StartFolder();
        // The browser does not select "C:\data\" but does select "C:\data" and "C:\".
        if (start.size() > 3 && start.back() == L'\\') start.pop_back();
        if (!start.empty()) ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
    } else if (message == BFFM_SELCHANGED) {
        wchar_t path[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
            self->SetStartFolder(path);
            ::SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
    }
    return 0;
}

std::wstring RememberingFolderBrowser::StartFolder() const {
    std::lock_guard<std::mutex> guard(lock_);
    return lastHighlighted_;
}

void RememberingFolderBrowser::SetStartFolder(const std::wstring& folder) {
    std::lock_guard<std::mutex> guard(lock_);
    // A cut path would open somewhere else.
    if (folder.size() < MAX_PATH) lastHighlighted_ = folder;
}

std::optional<std::wstring> RememberingFolderBrowser::Browse(HWND owner) {
    ComScope com;
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title_.c_str();
    // The status text is where the callback shows the highlighted path; without BIF_STATUSTEXT
    // the browser has no such line and the path never shows.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool ok = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    FreeItemList(chosen);
    if (!ok || !path[0]) return std::nullopt;
    return std::wstring(path);
}

}  // namespace scw
