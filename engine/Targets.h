#pragma once
// Building an item's target list.
#include <windows.h>

#include <string>

#include "engine/Environment.h"
#include "engine/MyObject.h"
#include "engine/TraceTarget.h"

namespace scw {

// An item holds more than the historic 26 targets (a machine may have more fixed drives);
// this bound only keeps a flooded registry key from growing the list without end.
constexpr size_t kMaxTargetsPerItem = 1024;
// Paths and names live in 260-character buffers: 259 characters and a terminator.
constexpr size_t kMaxPathChars = 259;

// Appends a target and fills its root prefix. Refuses (returns false, adds nothing) a path or
// name over 259 characters, and anything past kMaxTargetsPerItem.
bool AddTarget(CMyObject& item, HKEY root, const std::wstring& path, const std::wstring& name, TargetKind kind);

// Clears the item's targets, then adds those of its rule; an ID without a rule adds nothing.
void CollectTargets(CMyObject& item, const Environment& env = SystemEnv());

}  // namespace scw
