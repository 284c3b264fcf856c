#include "app/WebPages.h"

#include <shellapi.h>

namespace scw {

namespace {
WebPageOpener& Opener() {
    static WebPageOpener opener;
    return opener;
}
}  // namespace

void OpenWebPage(const std::wstring& url, int show) {
    if (Opener()) {
        Opener()(url, show);
        return;
    }
    ::ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, show);
}

void SetWebPageOpener(WebPageOpener opener) { Opener() = std::move(opener); }

}  // namespace scw
