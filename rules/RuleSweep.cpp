#include "rules/RuleSweep.h"

#include <algorithm>
#include <memory>

#include "engine/FolderWalk.h"
#include "engine/ListedFile.h"
#include "engine/OverwriteDelete.h"
#include "engine/Registry.h"
#include "engine/SweepParts.h"
#include "framework/UniqueHandle.h"
#include "rules/RuleExclusions.h"
#include "rules/RuleVariables.h"
#include "rules/Wildcard.h"

namespace scw::rules {

namespace {

void Refuse(std::vector<RuleProblem>* problems, const RuleEntry& entry, int line, const std::wstring& message) {
    if (problems) problems->push_back({entry.sourceFile, line, message});
}

// A stop poll is a round trip to the system, and so is reading a precise clock under some
// systems: polling every few hundred entries keeps both off the walk's path and still answers
// within milliseconds.
class StopPoll {
public:
    explicit StopPoll(const ScanRun& run) : run_(run) {}
    bool Stopped() {
        if (stopped_ || ++calls_ % 256 != 1) return stopped_;
        return stopped_ = run_.StopRequested();
    }

private:
    const ScanRun& run_;
    unsigned calls_ = 0;
    bool stopped_ = false;
};

// The files of one place that the entry names and does not exclude.
class PlaceFiles : public FolderVisitor {
public:
    PlaceFiles(const RulePlace& place, const RuleExclusions& exclusions, ScanRun& run)
        : exclusions_(exclusions), stop_(run) {
        for (const std::wstring& pattern : place.patterns) patterns_.emplace_back(pattern);
    }

    bool StopRequested() override { return stop_.Stopped(); }

protected:
    bool Wanted(const std::wstring& folder, const wchar_t* name) {
        const std::wstring_view view(name);
        if (!std::any_of(patterns_.begin(), patterns_.end(), [&](const Wildcard& p) { return p.Matches(view); }))
            return false;
        if (folder != folder_) {
            folder_ = folder;
            kept_ = exclusions_.KeptIn(FolderKey(folder));
        }
        return !std::any_of(kept_.begin(), kept_.end(), [&](const Wildcard* p) { return p->Matches(view); });
    }

private:
    const RuleExclusions& exclusions_;
    StopPoll stop_;
    std::vector<Wildcard> patterns_;
    std::wstring folder_;
    std::vector<const Wildcard*> kept_;
};

class ScanPlace : public PlaceFiles {
public:
    ScanPlace(const RulePlace& place, const RuleExclusions& exclusions, ScanRun& run, CMyObject& node)
        : PlaceFiles(place, exclusions, run), run_(run), node_(node) {}
    bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        if (Wanted(folder, entry.cFileName)) {
            // One buffer for every name: a scan reports thousands.
            name_.assign(entry.cFileName);
            run_.ReportTrace(TraceRow{node_, name_, folder, false});
        }
        return true;
    }

private:
    ScanRun& run_;
    CMyObject& node_;
    std::wstring name_;
};

// Deletes each wanted file through the primitive while its folder is held against renames;
// emptied folders go on REMOVESELF, never one that must go on existing. A folder is held only
// once the walk has read it: a listing cannot open a folder held without delete sharing.
class DeletePlace : public PlaceFiles {
public:
    DeletePlace(const RulePlace& place, const RuleExclusions& exclusions, ScanRun& run, const RuleGuard& guard)
        : PlaceFiles(place, exclusions, run), place_(place), run_(run), guard_(guard) {}

    void Run() { WalkFolder(place_.folder, *this, {.recurse = place_.recurse, .readFolderFirst = true}); }

    void OnFolderDone(const std::wstring& folder) override {
        const bool held = !held_.empty() && held_.back()->Path() == folder;
        if (place_.removeSelf && !(folder == place_.folder && guard_.Folders().KeepsItself(folder))) {
            if (held)
                held_.back()->RemoveIfEmpty();
            else
                RemoveListedFolder(folder);
        }
        if (held) held_.pop_back();
    }

    bool OnFile(const std::wstring& folder, const WIN32_FIND_DATAW& entry) override {
        if (!Wanted(folder, entry.cFileName)) return true;
        if (held_.empty() || held_.back()->Path() != folder)
            held_.push_back(std::make_unique<HeldFolder>(HeldFolder::Hold(folder)));
        // Renamed or swapped for a link since it was read: its files stay, and say so.
        if (!held_.back()->Held()) {
            run_.ReportRefusal(folder, held_.back()->Check());
            run_.ReportDeletion(false, 0);
            return true;
        }
        const DeleteOutcome outcome = DeleteListedFile(folder + entry.cFileName, UserDeleteOptions({.queueLockedForRestart = true}));
        // Gone since the listing: nothing was left behind.
        if (outcome.refusal == DeleteRefusal::Gone) return true;
        if (!outcome.Deleted()) run_.ReportRefusal(folder + entry.cFileName, outcome);
        run_.ReportDeletion(outcome.Deleted(), 0);
        return true;
    }

private:
    const RulePlace& place_;
    ScanRun& run_;
    const RuleGuard& guard_;
    std::vector<std::unique_ptr<HeldFolder>> held_;
};

sweep::WalkContext Context(ScanRun& run, CMyObject& node, TraceTarget& target, HKEY root) {
    target.root = root;
    target.rootPrefix = RootPrefix(root);
    return {run, node, target};
}

// Opens the key itself, never a registry link's target; null for a link.
UniqueKey OpenOwnKey(HKEY root, const std::wstring& path) {
    UniqueKey key;
    if (::RegOpenKeyExW(root, path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return UniqueKey();
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key.Get(), L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
        type == REG_LINK)
        return UniqueKey();
    return key;
}

std::vector<std::wstring> ValueNames(HKEY key) {
    std::vector<std::wstring> names;
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        LONG result = ::RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

// A whole key, part by part where something in it is excluded. `each(path, value)` gets each
// value (the whole key's "*.*" when nothing below is excluded); false from it stops.
template <typename Each>
bool ForKeyParts(HKEY root, const std::wstring& path, const RuleExclusions& exclusions, Each&& each) {
    if (exclusions.KeepsKey(root, path)) return true;
    if (!exclusions.KeepsSomethingIn(root, path)) return each(path, std::wstring(L"*.*"));
    UniqueKey key = OpenOwnKey(root, path);
    if (!key) return true;
    for (const std::wstring& sub : SubkeyNames(key.Get()))
        if (!ForKeyParts(root, path + L"\\" + sub, exclusions, each)) return false;
    for (const std::wstring& value : ValueNames(key.Get()))
        if (!exclusions.KeepsValue(root, path, value) && !each(path, value)) return false;
    return true;
}

template <typename Each>
bool ForRegKeys(const RuleEntry& entry, const RuleExclusions& exclusions, Each&& each) {
    for (const RegKey& key : entry.regKeys) {
        if (key.wholeKey) {
            if (!ForKeyParts(key.root, key.path, exclusions, [&](const std::wstring& path, const std::wstring& value) {
                    return each(key.root, path, value);
                }))
                return false;
        } else if (!exclusions.KeepsValue(key.root, key.path, key.value) && !each(key.root, key.path, key.value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<RulePlace> PlacesOf(const FileKey& key, const RuleEntry& entry, const RuleGuard& guard,
                                std::vector<RuleProblem>* problems) {
    std::vector<RulePlace> places;
    for (const std::wstring& expanded : ExpandVariables(key.folder, guard.Env())) {
        const std::optional<std::wstring> resolved = ResolveDots(expanded);
        if (!resolved) {
            Refuse(problems, entry, key.line, L"not an absolute folder: " + expanded);
            continue;
        }
        const bool wild = HasWildcard(*resolved);
        // A wildcard segment starts inside a folder the rule may walk, never in a protected one:
        // "%UserProfile%\*" would be every folder of the user's.
        if (wild) {
            const size_t cut = resolved->find_last_of(L'\\', resolved->find_first_of(L"*?"));
            const std::optional<std::wstring> base = ListingFolder(resolved->substr(0, cut + 1));
            if (!base) continue;
            if (guard.ReachOf(*base) != Reach::Tree) {
                Refuse(problems, entry, key.line, L"wildcard folder in a protected folder, refused: " + *base);
                continue;
            }
        }
        for (const std::wstring& found : ExpandFolderPattern(*resolved)) {
            const std::optional<std::wstring> folder = ListingFolder(found);
            if (!folder) continue;
            const Reach reach = guard.ReachOf(*folder);
            if (reach == Reach::Nothing || (wild && reach != Reach::Tree)) {
                Refuse(problems, entry, key.line, L"protected folder, left alone: " + *folder);
                continue;
            }
            RulePlace place{*folder, {}, key.recurse && reach == Reach::Tree, key.removeSelf && reach == Reach::Tree};
            if (reach == Reach::OwnFiles && key.recurse) {
                Refuse(problems, entry, key.line, L"RECURSE or REMOVESELF in a protected folder, refused: " + *folder);
                continue;
            }
            const bool system = reach == Reach::OwnFiles && guard.IsSystemFolder(*folder);
            for (const std::wstring& pattern : key.patterns) {
                if (reach == Reach::OwnFiles && !MayMatchInProtected(pattern, system))
                    Refuse(
                        problems, entry, key.line,
                        L"pattern " + pattern + L" could stand for files of a protected folder, refused: " + *folder);
                else
                    place.patterns.push_back(pattern);
            }
            const bool seen = std::any_of(places.begin(), places.end(),
                                          [&](const RulePlace& other) { return other.folder == place.folder; });
            if (!place.patterns.empty() && !seen) places.push_back(std::move(place));
        }
    }
    return places;
}

bool ScanRuleEntry(ScanRun& run, CMyObject& node, const RuleEntry& entry, const RuleGuard& guard,
                   std::vector<RuleProblem>* problems) {
    const RuleExclusions exclusions(entry, guard.Env());
    for (const FileKey& key : entry.fileKeys) {
        for (const RulePlace& place : PlacesOf(key, entry, guard, problems)) {
            ScanPlace visitor(place, exclusions, run, node);
            if (!WalkFolder(place.folder, visitor, {.recurse = place.recurse})) return false;
        }
    }
    TraceTarget target;
    return ForRegKeys(entry, exclusions, [&](HKEY root, const std::wstring& path, const std::wstring& value) {
        return sweep::ScanRegistryKey(Context(run, node, target, root), root, path, value);
    });
}

void DeleteRuleEntry(ScanRun& run, CMyObject& node, const RuleEntry& entry, const RuleGuard& guard,
                     std::vector<RuleProblem>* problems) {
    (void)node;
    const RuleExclusions exclusions(entry, guard.Env());
    for (const FileKey& key : entry.fileKeys)
        for (const RulePlace& place : PlacesOf(key, entry, guard, problems))
            DeletePlace(place, exclusions, run, guard).Run();
    ForRegKeys(entry, exclusions, [&](HKEY root, const std::wstring& path, const std::wstring& value) {
        sweep::DeleteRegistryTarget(run, root, path, value);
        return true;
    });
}

}  // namespace scw::rules
