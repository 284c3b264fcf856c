#pragma once
// Where updates come from: the vendor's download location, which organisations that mirror
// updates (and the tests) replace with SCOURWELL_UPDATE_BASE.
#include <string>

namespace scw {

inline constexpr wchar_t kUpdateDownloadBase[] = L"https://scourwell.example.com/download/";
inline constexpr wchar_t kUpdateBaseVariable[] = L"SCOURWELL_UPDATE_BASE";
inline constexpr wchar_t kUpdateFileName[] = L"update.ini";

// The download location (a URL ending in a slash): the variable's value when it names an
// http or https address, else the vendor's.
std::wstring UpdateDownloadLocation();

}  // namespace scw
