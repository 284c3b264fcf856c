#pragma once
// Where a file or folder really is, every link on the way resolved. Text alone cannot tell that
// "C:\alias\" is the profile folder, nor, where the system shows a file link as a plain file
// (Wine), that deleting "C:\junk\a.tmp" deletes a file elsewhere.
#include <windows.h>

#include <string>

namespace scw {

// The final path of an open file or folder, without the "\\?\" prefix; empty when unknown.
std::wstring FinalPathOf(HANDLE handle);
// The same for a path, opened without asking for access (so a file another program holds
// without sharing still opens); empty when it cannot be opened.
std::wstring FinalPathOf(const std::wstring& path);

// True when the file is reached through its own folder under its own name, links resolved; false
// for a link that shows as a plain file, and whenever it cannot be told.
bool ReachedDirectly(HANDLE file, const std::wstring& fullPath);
bool ReachedDirectly(const std::wstring& fullPath);

}  // namespace scw
