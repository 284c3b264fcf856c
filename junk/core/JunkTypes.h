#pragma once
// The fixed table of junk file types: a pattern the search matches and a description shown
// beside it. Rows are numbered from 1 in the window and on the console.
#include <span>
#include <string>
#include <vector>

namespace scw {

struct JunkType {
    const wchar_t* pattern;
    const wchar_t* description;
};

inline constexpr int kJunkTypeCount = 45;
// Rows 1 to this one are the "Default" choice.
inline constexpr int kDefaultJunkTypeCount = 12;

std::span<const JunkType> JunkTypes();

// The patterns of the given row numbers (1-based), in table order, each row once; numbers
// outside the table are ignored.
std::vector<std::wstring> JunkPatternsOfRows(const std::vector<int>& rowNumbers);
std::vector<std::wstring> DefaultJunkPatterns();

}  // namespace scw
