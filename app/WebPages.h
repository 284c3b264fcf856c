#pragma once
// Opens a web page in the user's browser; the result is ignored, a failure is silent.
#include <windows.h>

#include <functional>
#include <string>

namespace scw {

void OpenWebPage(const std::wstring& url, int show = SW_SHOWNORMAL);

// Tests replace the browser; an empty function restores it.
using WebPageOpener = std::function<void(const std::wstring& url, int show)>;
void SetWebPageOpener(WebPageOpener opener);

}  // namespace scw
