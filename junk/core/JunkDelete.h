#pragma once
// Deleting listed junk files: exactly the listed path, with only its read-only bit cleared.
// Nothing is ever handed to the system for deletion at the next restart.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "junk/core/JunkWalk.h"

namespace scw {

// True when the file is gone by this call. Fails (and leaves things as they were) for a path over
// the platform limit, a path that is missing, a folder, or a link (whose target could go with it).
bool DeleteJunkFile(const std::wstring& path);

// Deletes every row in order, telling `done` the outcome of each; a set stop flag ends it after
// the current file. Returns the number of failures.
int DeleteJunkFiles(const std::vector<JunkRow>& rows, const std::function<void(const JunkRow&, bool)>& done,
                    const std::atomic<bool>* stop = nullptr);

}  // namespace scw
