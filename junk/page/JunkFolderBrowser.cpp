#include "junk/page/JunkFolderBrowser.h"

#include "controls/FolderBrowser.h"

namespace scw {

namespace {
RememberingFolderBrowser& Browser() {
    static RememberingFolderBrowser browser(L"Choose junk files path");
    return browser;
}
}  // namespace

std::wstring JunkBrowserStartFolder() { return Browser().StartFolder(); }

void SetJunkBrowserStartFolder(const std::wstring& folder) { Browser().SetStartFolder(folder); }

std::optional<std::wstring> BrowseForJunkFolder(HWND owner) { return Browser().Browse(owner); }

}  // namespace scw
