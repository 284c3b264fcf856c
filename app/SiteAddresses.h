#pragma once
// The vendor's web pages (the download location of updates lives with the update check). The
// domain is a reserved example domain until the project has a site of its own.
namespace scw {

inline constexpr wchar_t kHomePageUrl[] = L"https://scourwell.example.com/";
inline constexpr wchar_t kFaqPageUrl[] = L"https://scourwell.example.com/faq.htm";

}  // namespace scw
