#pragma once
// The registry and folder halves of the sweep, used by ScanTargets and DeleteTargets.
#include <string>

#include "engine/FolderSafety.h"
#include "engine/MyObject.h"
#include "engine/ScanRun.h"

namespace scw::sweep {

// What a walk needs besides its folder: whom to report to and which item it reports for.
struct WalkContext {
    ScanRun& run;
    CMyObject& item;
    const TraceTarget& target;
};

// False when the stop event ended the scan.
bool ScanRegistryKey(const WalkContext& ctx, HKEY root, const std::wstring& keyPath, const std::wstring& name);
void DeleteRegistryTarget(ScanRun& run, HKEY root, const std::wstring& keyPath, const std::wstring& name);

// False when the stop event ended the scan.
bool ScanFolderTarget(const WalkContext& ctx, const FolderGuard& guard);
void DeleteFolderTarget(ScanRun& run, const TraceTarget& target, const FolderGuard& guard);

}  // namespace scw::sweep
