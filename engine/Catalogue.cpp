#include "engine/Catalogue.h"

#include <new>
#include <unordered_map>

#include "engine/CatalogueTable.h"
#include "framework/Strings.h"

namespace scw {

CMyObject* Catalogue::MakeNode(CMyObject* parent, UINT itemId, UINT level, UINT icon) {
    return new (std::nothrow) CMyObject(parent, itemId, level, icon, LoadResourceString(itemId));
}

void Catalogue::Build() {
    Free();
    std::unordered_map<UINT, CMyObject*> made;
    CMyObject* lastCategory = nullptr;
    for (size_t i = 0; i < kCatalogueRowCount; ++i) {
        const CatalogueRow& row = kCatalogueRows[i];
        CMyObject* parent = nullptr;
        if (row.parentId != 0) {
            auto found = made.find(row.parentId);
            if (found == made.end()) continue;  // its parent could not be made
            parent = found->second;
        }
        CMyObject* node = MakeNode(parent, row.id, row.level, row.icon);
        if (!node) continue;
        made[row.id] = node;
        if (parent) {
            parent->AddChild(node);
        } else if (lastCategory) {
            lastCategory->next = node;
            lastCategory = node;
        } else {
            head_ = lastCategory = node;
        }
    }
}

void Catalogue::FreeChildren(CMyObject* node) {
    CMyObject* child = node->firstChild;
    while (child) {
        CMyObject* sibling = child->nextSibling;
        FreeChildren(child);
        delete child;
        child = sibling;
    }
    node->firstChild = nullptr;
}

void Catalogue::Free() {
    while (head_) {
        CMyObject* category = head_;
        FreeChildren(category);
        head_ = category->next;
        delete category;
    }
}

void Catalogue::Append(CMyObject* category) {
    if (!category) return;
    category->next = nullptr;
    if (!head_) {
        head_ = category;
        return;
    }
    CMyObject* last = head_;
    while (last->next) last = last->next;
    last->next = category;
}

CMyObject* Catalogue::Find(UINT itemId) const {
    CMyObject* found = nullptr;
    ForEach([&](CMyObject* node) {
        // ID 0 marks nodes that are not the catalogue's (the rule files' category).
        if (!found && itemId != 0 && node->itemId == itemId) found = node;
    });
    return found;
}

}  // namespace scw
