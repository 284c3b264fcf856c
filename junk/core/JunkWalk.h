#pragma once
// The junk search itself: walks a folder tree (or every fixed disk) and reports each file whose
// name matches. It never enters a link (junction, symbolic link, mount point): a profile holds
// junction loops, and what a link reaches may lie anywhere. Nor does it list a link the listing
// marks as one (a file link that Wine shows as a plain file is listed; its delete refuses it).
// Paths over the platform limit are skipped, never cut. Rows record where each file really is
// (the root's final path and the name as it is on disk): the delete checks exactly that.
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "engine/HostRoots.h"
#include "junk/core/JunkMatch.h"

namespace scw {

struct JunkRow {
    std::wstring file;    // the name as it is on disk
    std::wstring folder;  // ends in a backslash
    std::wstring FullPath() const { return folder + file; }
    // The name as the results list shows it: in lower case.
    std::wstring ListName() const { return JunkListName(file); }
};

class JunkSink {
public:
    virtual void FoundJunk(const JunkRow& row) = 0;

protected:
    ~JunkSink() = default;
};

// How a walk learns it should stop. The flag is read at every entry (it costs nothing); the
// event, which a program exit may signal alone, between folders, at most every few milliseconds.
struct JunkStop {
    const std::atomic<bool>* flag = nullptr;
    HANDLE event = nullptr;
    bool AtEntry() const { return flag && flag->load(std::memory_order_relaxed); }
    bool AtFolder() const { return AtEntry() || (event && ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0); }
};

// The roots of the fixed disks, in the system's order ("C:\"), but a drive onto the host's root
// under Wine.
std::vector<std::wstring> FixedDriveRoots(const HostRoots& hosts = HostRoots());

// The root in full, ending in a backslash: rows then name the same files whatever the process's
// current directory is later (a file dialog may change it). Nothing when it does not fit, or is
// a device path or the host's root (HostRoots::Refusal says why).
std::optional<std::wstring> FullJunkRoot(const std::wstring& root, const HostRoots& hosts = HostRoots());


// Walks one folder (ending in a backslash); false when a stop ended it.
bool WalkForJunk(const std::wstring& folder, const JunkMatcher& matcher, JunkSink& sink, const JunkStop& stop);

// The whole search: every fixed disk for an empty root, else the root made full.
void SearchJunk(const std::wstring& root, const JunkMatcher& matcher, JunkSink& sink, const JunkStop& stop);

}  // namespace scw
