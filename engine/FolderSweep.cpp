#include "engine/SweepParts.h"

#include <optional>
#include <vector>

#include "engine/FolderWalk.h"
#include "engine/ListedFile.h"
#include "engine/OverwriteDelete.h"

namespace scw::sweep {

namespace {

// These three are looked for in their own folder only; walking a drive for them would be slow.
bool SearchesOwnFolderOnly(const std::wstring& name) {
    return name == L"setupapi.log" || name == L"DirectX.log" || name == L"pagefile.sys";
}

bool ExtensionMatches(const wchar_t* fileName, const std::wstring& extension) {
    const wchar_t* dot = wcsrchr(fileName, L'.');
    return extension == (dot ? dot : fileName);
}

bool Lists(TargetKind kind, const wchar_t* fileName, const std::wstring& name) {
    switch (kind) {
    case KindAllFiles: return true;
    case KindExtension: return ExtensionMatches(fileName, name);
    case KindExactName: return name == fileName;
    default: return false;
    }
}

// An exact name with a wildcard ("*.torrent") is a pattern for its own folder: the scan lists
// exactly the files the delete of that pattern removes.
bool IsPattern(const std::wstring& name) { return name.find_first_of(L"*?") != std::wstring::npos; }

// Polls the stop event at most once a millisecond. A poll is a round trip to the system's
// event object, which under some systems costs as much as reading the entry itself; a
// millisecond is still far below what a user can tell from "at once".
class StopPoller {
public:
    explicit StopPoller(const ScanRun& run) : run_(run) {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        interval_ = frequency.QuadPart / 1000;
    }
    bool Stopped() {
        if (stopped_) return true;
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        if (now.QuadPart < next_) return false;
        next_ = now.QuadPart + interval_;
        stopped_ = run_.StopRequested();
        return stopped_;
    }

private:
    const ScanRun& run_;
    LONGLONG interval_ = 0;
    LONGLONG next_ = 0;
    bool stopped_ = false;
};

class ScanVisitor final : public FolderVisitor {
public:
    ScanVisitor(const WalkContext& ctx, bool listsEveryMatch) : ctx_(ctx), listsEveryMatch_(listsEveryMatch) {}

    bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        if (!(listsEveryMatch_ || Lists(ctx_.target.kind, entry.cFileName, ctx_.target.name))) return true;
        const std::wstring fileName(entry.cFileName);
        ctx_.run.ReportTrace(TraceRow{ctx_.item, fileName, folder, false});
        return true;
    }
    bool StopRequested() override { return stop_.Stopped(); }

private:
    const WalkContext& ctx_;
    bool listsEveryMatch_;  // the search pattern alone decides, as it does for the delete
    StopPoller stop_{ctx_.run};
};

// Deletes the listed files of one target through the checked delete, each folder held against
// renames while its files go. Emptied folders go the same way when asked.
class DeleteVisitor final : public FolderVisitor {
public:
    enum class Takes { Everything, Extension, Name };
    DeleteVisitor(ScanRun& run, Takes takes, const std::wstring& name, bool removesFolders)
        : run_(run), takes_(takes), name_(name), removesFolders_(removesFolders) {}

    // Holds the root before its files go; false when it cannot be held (it is gone, or a link).
    bool Start(const std::wstring& root) { return Hold(root); }
    void KeepRoot() { keepRoot_ = true; }

    bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        if (takes_ == Takes::Extension && !ExtensionMatches(entry.cFileName, name_)) return true;
        // The search ignores letter case, the scan does not: a file the scan would not list
        // ("History.dat") is not deleted either.
        if (takes_ == Takes::Name && !IsPattern(name_) && name_ != entry.cFileName) return true;
        const std::wstring path = folder + entry.cFileName;
        DeleteOptions options = UserDeleteOptions();
        if (!held_.empty() && held_.back().Path() == folder) options.within = &held_.back();
        const DeleteOutcome outcome = DeleteListedFile(path, options);
        // Gone since the listing: nothing was left behind, and a restart must not delete whatever
        // has that name by then.
        if (outcome.refusal == DeleteRefusal::Gone) return true;
        // In use or denied: the system removes it at the next restart, if it is still this file.
        // Not when it was to be overwritten first: the restart would delete it plainly.
        if (!options.overwrite && (outcome.refusal == DeleteRefusal::Locked || outcome.refusal == DeleteRefusal::Denied))
            QueueListedFileForRestart(path);
        if (!outcome.Deleted()) run_.ReportRefusal(path, outcome);
        run_.ReportDeletion(outcome.Deleted(), 0);
        return true;
    }
    bool OnFolder(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        return Hold(folder + entry.cFileName + L'\\');
    }
    void OnFolderDone(const std::wstring&) override {
        if (held_.empty()) return;
        const bool isRoot = held_.size() == 1;
        if (removesFolders_ && !(isRoot && keepRoot_)) held_.back().RemoveIfEmpty();
        held_.pop_back();
    }

private:
    bool Hold(const std::wstring& folder) {
        HeldFolder held = HeldFolder::Hold(folder);
        if (!held.Held()) {
            // Swapped for a link or renamed since it was listed: what it leads to is not ours.
            const DeleteRefusal why = held.Check().refusal;
            if (why == DeleteRefusal::Link || why == DeleteRefusal::Moved) {
                run_.ReportRefusal(folder, held.Check());
                run_.ReportDeletion(false, 0);
            }
            return false;
        }
        held_.push_back(std::move(held));
        return true;
    }

    ScanRun& run_;
    Takes takes_;
    const std::wstring& name_;
    bool removesFolders_;
    bool keepRoot_ = false;
    std::vector<HeldFolder> held_;
};

}  // namespace

bool ScanFolderTarget(const WalkContext& ctx, const FolderGuard& guard) {
    const TraceTarget& target = ctx.target;
    if (!guard.MaySearch(target.path)) return true;
    bool walkable = guard.MayWalk(target.path);
    if (target.kind != KindExactName && !walkable) return true;
    // Rows name the folder where it really is: the delete of a row checks it letter for letter.
    const std::optional<std::wstring> root = ListingFolder(target.path);
    if (!root) return true;
    // An exact name in a folder too wide to walk is looked for in that folder only.
    bool pattern = target.kind == KindExactName && IsPattern(target.name);
    WalkOptions options;
    if (SearchesOwnFolderOnly(target.name) || !walkable || pattern) {
        options.recurse = false;
        options.pattern = target.name;
    }
    ScanVisitor visitor(ctx, pattern);
    return WalkFolder(*root, visitor, options);
}

void DeleteFolderTarget(ScanRun& run, const TraceTarget& target, const FolderGuard& guard) {
    if (target.name.empty() || !guard.MaySearch(target.path)) return;
    const bool exactName = target.kind == KindExactName;
    if (!exactName && !guard.MayWalk(target.path)) return;
    const std::optional<std::wstring> root = ListingFolder(target.path);
    if (!root) return;
    using Takes = DeleteVisitor::Takes;
    // Kind 12 takes the files of that name in the folder itself; kind 11 exactly the files the
    // scan lists, folders staying; kinds 1 and 10 every matching file below the folder, then the
    // emptied folders, itself too unless it is a folder that must go on existing.
    const Takes takes = exactName ? Takes::Name : target.kind == KindExtension ? Takes::Extension : Takes::Everything;
    WalkOptions options;
    options.readFolderFirst = true;  // deleting never disturbs the listing it works through
    if (exactName) {
        options.recurse = false;
        options.pattern = target.name;
    } else if (takes == Takes::Everything) {
        options.pattern = target.name;
    }
    DeleteVisitor visitor(run, takes, target.name, takes == Takes::Everything);
    if (guard.KeepsItself(target.path)) visitor.KeepRoot();
    if (visitor.Start(*root)) WalkFolder(*root, visitor, options);
}

}  // namespace scw::sweep
