#pragma once
// One file through the passes of a method: each pass writes the whole file from the start in
// 64 KiB blocks and is flushed to the disk before the next begins, so the passes cannot merge in
// the cache. Then the file is cut to nothing, renamed to a random name of the same length and
// deleted, so neither its name nor its size stays in the folder.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shred/core/OverwriteBuffers.h"
#include "shred/core/ShredTarget.h"

namespace scw {

enum class FileResult {
    Shredded,      // overwritten and deleted
    NameRemoved,   // had other names: only this name was removed, the data was not overwritten
    Refused,       // a link or a folder by now: left alone
    PassFailed,    // could not be opened or written
    Stopped,       // the stop event ended a pass
    RemoveFailed,  // overwritten, but the name could not be removed
};

struct FileOutcome {
    FileResult result = FileResult::Shredded;
    ShredCheck check;          // why it was refused or could not be opened
    DWORD error = 0;           // the system's code of a failed write or deletion
    std::uint64_t written = 0; // bytes written over all passes
    std::wstring leftName;     // the name it still has after a failed deletion
    std::wstring Reason() const;
};

struct PassContext {
    HANDLE stopEvent = nullptr;
    const OverwriteBuffers* buffers = nullptr;
    // After every block, with the bytes it wrote.
    std::function<void(std::uint64_t)> onWritten;
};

// Shreds the listed file (its final path, as the list recorded it): opened and checked once, and
// every pass, the cut, the rename and the delete go through that handle.
FileOutcome ShredFile(const std::wstring& listedPath, const std::vector<BlockKind>& plan, const PassContext& context);

// Removes one name of a listed file through the same check: renamed first to a random name of
// the same length in its folder, then deleted (under its own name when the rename fails), both
// through the handle it was checked by. Returns 0 or the system's error; on an error the file
// keeps (or gets back) its name where it can, and leftName says which it has.
DWORD RemoveFileName(const std::wstring& listedPath, std::wstring& leftName);

// A name of the same length made of lower-case letters and digits.
std::wstring RandomNameLike(const std::wstring& name);

}  // namespace scw
