#pragma once
// Deleting listed junk files: exactly the listed file (the one the search saw, checked through
// the handle it is deleted by), with only its read-only bit cleared. Nothing is ever handed to
// the system for deletion at the next restart.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "engine/ListedFile.h"
#include "junk/core/JunkWalk.h"

namespace scw {

// True when the file is gone by this call. Fails (and leaves things as they were) for a path over
// the platform limit, a path that is missing, a folder, a link (whose target could go with it),
// or a file whose folder now leads somewhere else.
bool DeleteJunkFile(const std::wstring& path);

// Deletes every row in order, each folder held against renames while its files go, telling
// `done` the outcome of each (its Reason() says why one stayed); a set stop flag ends it after
// the current file. Returns the number of failures.
int DeleteJunkFiles(const std::vector<JunkRow>& rows,
                    const std::function<void(const JunkRow&, const DeleteOutcome&)>& done,
                    const std::atomic<bool>* stop = nullptr);

}  // namespace scw
