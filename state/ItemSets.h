#pragma once
// The three saved item sets of setting.ini: one-click, default and recent.
#include <windows.h>

#include <vector>

#include "framework/IniFileRW.h"

namespace scw {

enum class ItemSet { OneClick, Default, Recent };

// More entries than this are never read or stored: a corrupt count must not stall a start.
inline constexpr int kMaxItemSetEntries = 300;

struct ItemSetContent {
    int count = 1;          // as stored; -1 means the set was never written
    std::vector<int> ids;   // entries item0 .. item(count-1), at most kMaxItemSetEntries
};

ItemSetContent ReadItemSet(const CIniFileRW& file, ItemSet set);
// Writes the entries in order, then the count. Entries beyond the new count stay in the file.
void WriteItemSet(const CIniFileRW& file, ItemSet set, const std::vector<int>& ids);

}  // namespace scw
