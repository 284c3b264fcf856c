#pragma once
// A trace node: one category, program or item of the catalogue.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "engine/TraceTarget.h"

struct _TREEITEM;

namespace scw {

enum NodeLevel : UINT { LevelCategory = 0, LevelProgram = 1, LevelItem = 2 };
enum ScanState : int { ScanIdle = 0, ScanRunning = 1, ScanDone = 2 };

// Positions the item tree works out for a row while painting it; owned by the tree view.
struct NodeDrawState {
    int indent = 0;
    int countColumn = 0;
    RECT countRect{};
    RECT stateRect{};
};

class CMyObject {
public:
    static constexpr size_t kMaxNameChars = 259;

    CMyObject(CMyObject* parent, UINT itemId, UINT level, UINT icon, std::wstring displayName);
    virtual ~CMyObject();
    CMyObject(const CMyObject&) = delete;
    CMyObject& operator=(const CMyObject&) = delete;

    void AddChild(CMyObject* child);
    void ClearTargets();

    _TREEITEM* treeItem = nullptr;
    std::wstring displayName;
    UINT itemId;
    UINT level;
    UINT icon;
    std::vector<TraceTarget> targets;
    int currentTarget = 0;
    CMyObject* firstChild = nullptr;
    CMyObject* nextSibling = nullptr;
    CMyObject* parent;
    CMyObject* next = nullptr;
    // Written by a run's worker, read by the tree view while it paints.
    std::atomic<int> scanState{ScanIdle};
    std::atomic<int> traceCount{0};
    NodeDrawState draw;

    int TargetCount() const { return static_cast<int>(targets.size()); }

    // Nodes alive in the process; lets tests prove that every node is freed exactly once.
    static long LiveCount();
};

}  // namespace scw
