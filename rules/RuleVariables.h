#pragma once
// The %variables% of rule files, and the paths they spell once resolved.
#include <optional>
#include <string>
#include <vector>

#include "engine/Environment.h"

namespace scw::rules {

// Every path the text stands for: %ProgramFiles% and %CommonProgramFiles% stand for the 64-bit
// and the 32-bit folder both, so one text may give two paths. Known names ignore letter case;
// any other name is an environment variable. Nothing when a variable has no value.
std::vector<std::wstring> ExpandVariables(const std::wstring& text, const Environment& env);

// An absolute path ("C:\..." or "\\server\share\...") with "." and ".." components and empty
// ones resolved, without a trailing backslash (but "C:\" keeps its own); nullopt when relative or
// when ".." would climb above the drive.
std::optional<std::wstring> ResolveDots(const std::wstring& path);

}  // namespace scw::rules
