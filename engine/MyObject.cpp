#include "engine/MyObject.h"

namespace scw {

namespace {
std::atomic<long> g_liveNodes{0};
}

CMyObject::CMyObject(CMyObject* parentNode, UINT id, UINT nodeLevel, UINT iconIndex, std::wstring name)
    : displayName(std::move(name)), itemId(id), level(nodeLevel), icon(iconIndex), parent(parentNode) {
    if (displayName.size() > kMaxNameChars) displayName.resize(kMaxNameChars);
    ++g_liveNodes;
}

CMyObject::~CMyObject() {
    ClearTargets();
    --g_liveNodes;
}

void CMyObject::AddChild(CMyObject* child) {
    if (!child) return;
    child->nextSibling = nullptr;
    if (!firstChild) {
        firstChild = child;
        return;
    }
    CMyObject* last = firstChild;
    while (last->nextSibling) last = last->nextSibling;
    last->nextSibling = child;
}

void CMyObject::ClearTargets() {
    targets.clear();
    currentTarget = 0;
}

long CMyObject::LiveCount() { return g_liveNodes.load(); }

}  // namespace scw
