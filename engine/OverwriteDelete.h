#pragma once
// Overwrite before delete: where the user asked for it, a file the sweep, the rule files or the
// junk cleaner deletes is first overwritten once with random data and flushed, then cut to
// nothing, renamed at random and deleted, all through the one handle it was judged by (as the
// shredder's Quick method does). A file that cannot be overwritten is not deleted plainly.
#include <string>

#include "engine/ListedFile.h"

namespace scw {

// The process-wide choice (the settings page, or the console's --shred).
void SetOverwriteBeforeDelete(bool on);
bool OverwriteBeforeDelete();

// The options of a deletion the user asked for: `base` with the overwrite choice applied.
DeleteOptions UserDeleteOptions(DeleteOptions base = {});

// Opens the listed file for writing, checks it as every deletion does, overwrites, cuts, renames
// and deletes it. A file with other names (hard links) only loses this name: its data is theirs
// too. Never queued for a restart (that would delete it plainly).
DeleteOutcome OverwriteListedFile(const std::wstring& listedPath, bool clearReadOnly);

}  // namespace scw
