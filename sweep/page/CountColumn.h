#pragma once
// The column at the right end of the item tree's rows: each row's trace count, and an item's
// status square beyond it. Counts of categories and programs step left by the indent, so every
// level's numbers line up under each other.
#include <windows.h>

#include "engine/MyObject.h"
#include "sweep/page/NodeRows.h"
#include "sweep/page/TreeRowPainter.h"

namespace scw {

// Size of "67890" in the tree's font: the column's width and the text height.
SIZE MeasureCountText(HWND tree);
// Sets where the node's count and status square are drawn in a column `countColumn` wide.
void PlaceCount(HWND tree, const TreeRowMetrics& metrics, const CMyObject& node, SIZE countColumn, NodeRow& places);

}  // namespace scw
