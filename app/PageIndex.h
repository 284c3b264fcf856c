#pragma once
// Which page of the main window is which, what each is called and where the pages sit.
#include <windows.h>

namespace scw {

// kPageFaq is no page: asking for it opens the FAQ on the web instead.
enum PageIndex { kPageScan = 0, kPageJunk = 1, kPageShred = 2, kPageOptions = 3, kPageFaq = 5 };
inline constexpr int kPageCount = 4;

// What the strip's pictures say, for screen readers; the pages' windows carry the same names.
inline constexpr const wchar_t* kPageNames[kPageCount] = {L"Privacy Sweep", L"Junk Cleaner", L"Shredder",
                                                          L"Settings"};

// Where the pages sit in the main window, in the skin's pixels.
inline constexpr POINT kPageOrigin{178, 158};

}  // namespace scw
