#include "state/ItemSets.h"

#include <algorithm>
#include <string>

namespace scw {

namespace {
struct SetKeys {
    const wchar_t* section;
    const wchar_t* countKey;
};

SetKeys KeysOf(ItemSet set) {
    switch (set) {
    case ItemSet::OneClick:
        return {L"OneClickItem", L"OneClickItems"};
    case ItemSet::Default:
        return {L"DefaultItem", L"DefaultItems"};
    case ItemSet::Recent:
        break;
    }
    return {L"RecentItem", L"RecentItems"};
}

std::wstring EntryKey(int index) { return L"item" + std::to_wstring(index); }
}  // namespace

ItemSetContent ReadItemSet(const CIniFileRW& file, ItemSet set) {
    SetKeys keys = KeysOf(set);
    ItemSetContent content;
    content.count = file.ReadInt(keys.section, keys.countKey);
    int entries = std::min(content.count, kMaxItemSetEntries);
    for (int i = 0; i < entries; ++i) content.ids.push_back(file.ReadInt(keys.section, EntryKey(i).c_str()));
    return content;
}

void WriteItemSet(const CIniFileRW& file, ItemSet set, const std::vector<int>& ids) {
    SetKeys keys = KeysOf(set);
    int count = static_cast<int>(std::min<size_t>(ids.size(), kMaxItemSetEntries));
    for (int i = 0; i < count; ++i) file.WriteInt(keys.section, EntryKey(i).c_str(), ids[i]);
    file.WriteInt(keys.section, keys.countKey, count);
}

}  // namespace scw
