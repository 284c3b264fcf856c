#pragma once
// The copy of a downloaded update.ini kept beside the program. The answer is written to a new
// file of its own beside the copy first, which then takes the copy's name, so a half-written
// answer never stands as update.ini, and a link named update.ini is never written through.
#include <string>

namespace scw {

// Replaces the file at `path` with `body`. Nothing changes, and false comes back, when the file
// there is not a plain file of ours: a link (also one that looks like a plain file, as under
// Wine), one reached through a linked folder, a folder, or a read-only file. A missing file is
// created.
bool ReplaceUpdateCopy(const std::wstring& path, const std::string& body);

}  // namespace scw
