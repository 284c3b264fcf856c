#pragma once
// The fixed three-level tree of categories, programs and items, built once at start-up.
#include <windows.h>

#include "engine/MyObject.h"

namespace scw {

class Catalogue {
public:
    Catalogue() = default;
    ~Catalogue() { Free(); }
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Makes a node with its display text from the string table; null if memory ran out.
    static CMyObject* MakeNode(CMyObject* parent, UINT itemId, UINT level, UINT icon);

    // Builds the whole tree; a node that cannot be made is left out together with its subtree.
    void Build();
    // Frees every node: per category, its subtree depth-first, then the category itself.
    void Free();
    // Takes a category made elsewhere (the rule files' one) to the end of the root list; it is
    // freed with the rest. Null is ignored.
    void Append(CMyObject* category);

    CMyObject* Head() const { return head_; }
    // Depth-first from the head of the root list; null when no node has the ID.
    CMyObject* Find(UINT itemId) const;

    // Calls f(node) for every node in display order.
    template <typename F>
    void ForEach(F&& f) const {
        for (CMyObject* category = head_; category; category = category->next) Visit(category, f);
    }

private:
    template <typename F>
    static void Visit(CMyObject* node, F& f) {
        f(node);
        for (CMyObject* child = node->firstChild; child; child = child->nextSibling) Visit(child, f);
    }
    static void FreeChildren(CMyObject* node);

    CMyObject* head_ = nullptr;
};

}  // namespace scw
