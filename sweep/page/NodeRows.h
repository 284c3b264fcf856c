#pragma once
// What the item tree keeps for each node it shows: the node's row and where the row's count and
// status square are drawn. The catalogue's nodes know nothing of the tree; only the tree's own
// thread touches this.
#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

#include "engine/MyObject.h"

namespace scw {

struct NodeRow {
    HTREEITEM item = nullptr;
    // Left and right edges at the row's right end; an empty rectangle draws nothing.
    RECT countRect{};
    RECT stateRect{};
};

class NodeRows {
public:
    NodeRow& operator[](const CMyObject& node) { return rows_[&node]; }
    // An empty row for a node the tree does not show.
    const NodeRow& Of(const CMyObject& node) const {
        static const NodeRow none;
        auto found = rows_.find(&node);
        return found == rows_.end() ? none : found->second;
    }
    void Clear() { rows_.clear(); }

private:
    std::unordered_map<const CMyObject*, NodeRow> rows_;
};

}  // namespace scw
