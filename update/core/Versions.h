#pragma once
// Version texts of the update check: comparing two of them and reading the running program's own.
#include <windows.h>

#include <string>

namespace scw {

inline constexpr int kFirstMalformed = -21;
inline constexpr int kSecondMalformed = -22;

// 1 if first is newer, -1 if older, 0 if equal; kFirstMalformed or kSecondMalformed when a text
// holds anything but dot-separated decimal numbers, or more than four of them.
int CompareVersions(const std::wstring& first, const std::wstring& second);

// "a.b.c.d" when build or revision is set, "a.b" when only major or minor is, else empty.
std::wstring VersionText(WORD major, WORD minor, WORD build, WORD revision);

// The file version of the given module (this program when null); empty when it has none.
std::wstring RunningVersionText(HMODULE module = nullptr);

}  // namespace scw
