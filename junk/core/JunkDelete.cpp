#include "junk/core/JunkDelete.h"

#include <optional>

#include "engine/OverwriteDelete.h"

namespace scw {

namespace {
DeleteOutcome DeleteJunk(const std::wstring& path) {
    return DeleteListedFile(path, UserDeleteOptions({.clearReadOnly = true}));
}
}  // namespace

bool DeleteJunkFile(const std::wstring& path) { return DeleteJunk(path).Deleted(); }

int DeleteJunkFiles(const std::vector<JunkRow>& rows,
                    const std::function<void(const JunkRow&, const DeleteOutcome&)>& done,
                    const std::atomic<bool>* stop) {
    int failed = 0;
    std::optional<HeldFolder> held;
    for (const JunkRow& row : rows) {
        if (stop && stop->load()) break;
        // Rows come folder by folder: each folder is held while its files go. One that cannot be
        // held is not skipped here; each of its files is refused by its own check.
        if (!held || held->Path() != row.folder) {
            held.reset();
            held.emplace(HeldFolder::Hold(row.folder));
        }
        const DeleteOutcome outcome = DeleteJunk(row.FullPath());
        if (!outcome.Deleted()) ++failed;
        if (done) done(row, outcome);
    }
    return failed;
}

}  // namespace scw
