#pragma once
#include <windows.h>

#include <cstddef>

namespace scw {

struct CatalogueRow {
    UINT id;
    UINT level;
    UINT parentId;  // 0 for a category
    UINT icon;
};

extern const CatalogueRow kCatalogueRows[];
extern const size_t kCatalogueRowCount;

}  // namespace scw
