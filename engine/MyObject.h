#pragma once
// A trace node: one category, program or item of the catalogue.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "engine/TraceTarget.h"

namespace scw {

enum NodeLevel : UINT { LevelCategory = 0, LevelProgram = 1, LevelItem = 2 };
enum ScanState : int { ScanIdle = 0, ScanRunning = 1, ScanDone = 2 };

class CMyObject {
public:
    static constexpr size_t kMaxNameChars = 259;

    CMyObject(CMyObject* parent, UINT itemId, UINT level, UINT icon, std::wstring displayName);
    virtual ~CMyObject();
    CMyObject(const CMyObject&) = delete;
    CMyObject& operator=(const CMyObject&) = delete;

    void AddChild(CMyObject* child);
    void ClearTargets();

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
    // Written by a run's worker, read by whatever shows the run.
    std::atomic<int> scanState{ScanIdle};
    std::atomic<int> traceCount{0};

    int TargetCount() const { return static_cast<int>(targets.size()); }

    // Nodes alive in the process; lets tests prove that every node is freed exactly once.
    static long LiveCount();
};

}  // namespace scw
