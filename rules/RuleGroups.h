#pragma once
// The groups rule files sort their entries into: "LangSecRef=3029" is Google Chrome.
#include <optional>
#include <string>

namespace scw::rules {

inline constexpr wchar_t kOtherGroup[] = L"Other";

// The group a LangSecRef number names; nullopt for a number the format does not document.
std::optional<std::wstring> GroupOfLangSecRef(const std::wstring& number);

}  // namespace scw::rules
