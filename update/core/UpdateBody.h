#pragma once
// The body of a downloaded update.ini: bounds, and the version it names.
#include <optional>
#include <string>

namespace scw {

// Larger answers are not an update description.
inline constexpr size_t kMaxUpdateBody = 64 * 1024;
// The longest version text read, as the profile functions' buffer would hold it.
inline constexpr size_t kMaxVersionText = 2047;

// "Version" of section "Program", looked up as the profile functions do (names without regard to
// case, blanks around names and values ignored, surrounding quotes removed). Nullopt when the
// body names no version (an empty value included).
std::optional<std::wstring> VersionNamedIn(const std::string& body);

}  // namespace scw
