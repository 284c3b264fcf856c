#pragma once
// The text of a rule file: UTF-16 with its byte-order mark, UTF-8 with or without one, or else
// the system's code page.
#include <optional>
#include <string>

namespace scw::rules {

// Larger files are refused: the community file is a few megabytes.
inline constexpr unsigned long long kMaxRuleFileBytes = 64ull << 20;

// Nullopt with `error` saying why when the file cannot be read.
std::optional<std::wstring> ReadRuleFileText(const std::wstring& path, std::wstring& error);

// The same decoding for bytes already read.
std::wstring DecodeRuleFileBytes(const std::string& bytes);

}  // namespace scw::rules
