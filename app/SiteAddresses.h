#pragma once
// The vendor's web addresses, all in one place. The domain is a reserved example domain until the
// project has a site of its own.
namespace scw {

inline constexpr wchar_t kHomePageUrl[] = L"https://scourwell.example.com/";
inline constexpr wchar_t kFaqPageUrl[] = L"https://scourwell.example.com/faq.htm";
inline constexpr wchar_t kDownloadUrl[] = L"https://scourwell.example.com/download/update.ini";

}  // namespace scw
