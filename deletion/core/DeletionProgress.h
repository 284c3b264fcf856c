#pragma once
// Where the deletions of a Delete all are counted: the progress dialog, or a test's record.
// A Delete all worker is created suspended and resumed once this exists, so it reports at once.
namespace scw {

class DeletionProgress {
public:
    virtual ~DeletionProgress() = default;
    // `number` deleted in one step (a report of 0 counts as one).
    virtual void AddDeleted(int number) = 0;
    virtual void AddFailed() = 0;
    virtual void FinishDeletion() = 0;
};

}  // namespace scw
