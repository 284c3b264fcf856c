#include "engine/Sweep.h"

#include "engine/ListedFile.h"
#include "engine/OverwriteDelete.h"
#include "engine/Registry.h"
#include "engine/SweepParts.h"
#include "engine/Targets.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
// The item whose delete also clears the browser's URL history.
constexpr UINT kVisitedSitesItem = 130;
}  // namespace

bool ScanTargets(ScanRun& run, CMyObject& item, const Environment& env) {
    run.MarkScanning(item);
    std::optional<FolderGuard> guard;
    for (size_t i = 0; i < item.targets.size() && !run.StopRequested(); ++i) {
        item.currentTarget = static_cast<int>(i);
        const TraceTarget& target = item.targets[i];
        sweep::WalkContext ctx{run, item, target};
        if (target.IsRegistry()) {
            sweep::ScanRegistryKey(ctx, target.root, target.path, target.name);
        } else {
            if (!guard) guard.emplace(env);
            sweep::ScanFolderTarget(ctx, *guard);
        }
    }
    run.MarkScanned(item);
    return true;
}

bool DeleteTargets(ScanRun& run, CMyObject& item, const Environment& env) {
    std::optional<FolderGuard> guard;
    for (size_t i = 0; i < item.targets.size(); ++i) {
        item.currentTarget = static_cast<int>(i);
        const TraceTarget& target = item.targets[i];
        if (target.IsRegistry()) {
            sweep::DeleteRegistryTarget(run, target.root, target.path, target.name);
            continue;
        }
        // The history object keeps its own index; the stub of some systems fails, which is fine.
        if (item.itemId == kVisitedSitesItem) ClearUrlHistory();
        if (!guard) guard.emplace(env);
        sweep::DeleteFolderTarget(run, target, *guard);
    }
    return true;
}

namespace {

// True when the listed value is gone, whether now or before.
bool DeleteListedValue(const std::wstring& location, const std::wstring& name) {
    size_t slash = location.find(L'\\');
    HKEY root = slash == std::wstring::npos ? nullptr : RootFromName(location.substr(0, slash));
    if (!root) return false;
    UniqueKey key;
    LONG opened = ::RegOpenKeyExW(root, location.substr(slash + 1).c_str(), 0, KEY_SET_VALUE, key.Put());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    LONG result = ::RegDeleteValueW(key.Get(), name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// True when the listed file is gone, whether now or before. The row names the file as the scan
// found it (its folder's final path): a file that is no longer that file stays.
bool DeleteTracedFile(const std::wstring& location, const std::wstring& name) {
    if (name.empty()) return false;
    const DeleteOutcome outcome = DeleteListedFile(location + name, UserDeleteOptions());
    return outcome.Deleted() || outcome.refusal == DeleteRefusal::Gone;
}

}  // namespace

bool DeleteListedTrace(TraceList& list) {
    int row = list.FirstSelectedRow();
    if (row < 0) return false;
    std::wstring name = list.RowText(row, 1);
    std::wstring location = list.RowText(row, 2);
    // A row whose trace stays stays too, so the user sees what is left.
    bool gone = list.RowData(row) == 1 ? DeleteListedValue(location, name) : DeleteTracedFile(location, name);
    if (!gone) return false;
    list.RemoveRow(row);
    return true;
}

}  // namespace scw
