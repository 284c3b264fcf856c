#pragma once
// What a junk search shows while it runs. The Results panel implements it with its controls,
// the console and the tests with plain records. Every call comes from the search's worker.
#include "junk/core/JunkWalk.h"

namespace scw {

class JunkView : public JunkSink {
public:
    // Before the walk: the list is emptied, Stop enabled, Delete and Delete all disabled, the
    // animation started.
    virtual void SearchStarted() = 0;
    // After the walk (whole or stopped): the reverse.
    virtual void SearchEnded() = 0;
    // A Delete all went through every row: the list is emptied, failed rows too.
    virtual void RowsDeleted() = 0;

protected:
    ~JunkView() = default;
};

}  // namespace scw
