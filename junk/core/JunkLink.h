#pragma once
// Telling a file link from a plain file. Under some systems (Wine) a symbolic link to a file
// shows as a plain file, without the reparse bit; deleting it there deletes its target. Such a
// file is reached elsewhere than through its own folder: its final path, links resolved, is not
// its folder's final path followed by its name.
#include <string>

namespace scw {

enum class FileReach { Direct, Elsewhere, Unknown };

// Where an existing file or folder really is, every link on the way resolved; empty when it
// cannot be opened or the answer does not fit a path buffer.
std::wstring FinalPathOf(const std::wstring& path);

// How the file `name` in `folder` is reached, given the folder's final path (FinalPathOf).
// Unknown when either final path is not known.
FileReach ReachOf(const std::wstring& folderFinal, const std::wstring& folder, const std::wstring& name);

}  // namespace scw
