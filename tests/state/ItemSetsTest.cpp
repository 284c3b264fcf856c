#include <gtest/gtest.h>

#include "state/Settings.h"
#include "state/ItemSets.h"
#include "tests/common/TestSupport.h"

using namespace scw;
using namespace scw::test;

namespace {
CIniFileRW FileAt(const std::wstring& path) { return CIniFileRW(CIniFileRW::ByPath{}, path); }
}  // namespace

TEST(ItemSets, DefaultsOfAFirstStartReadBack) {
    TempFolder folder;
    CIniFileRW file = FileAt(folder / L"setting.ini");
    EnsureDefaultSettings(file);
    EXPECT_EQ(ReadItemSet(file, ItemSet::OneClick).ids,
              (std::vector<int>{104, 105, 106, 107, 108, 109, 113, 129, 130, 132}));
    EXPECT_EQ(ReadItemSet(file, ItemSet::Default).ids.size(), 12u);
    ItemSetContent recent = ReadItemSet(file, ItemSet::Recent);
    EXPECT_EQ(recent.count, -1);
    EXPECT_TRUE(recent.ids.empty());
}

TEST(ItemSets, WritingAShorterSetLeavesOldEntriesUnread) {
    TempFolder folder;
    CIniFileRW file = FileAt(folder / L"setting.ini");
    WriteItemSet(file, ItemSet::OneClick, {104, 105, 106});
    WriteItemSet(file, ItemSet::OneClick, {});
    ItemSetContent content = ReadItemSet(file, ItemSet::OneClick);
    EXPECT_EQ(content.count, 0);
    EXPECT_TRUE(content.ids.empty());
    EXPECT_EQ(file.ReadInt(L"OneClickItem", L"item2"), 106) << "entries beyond the count stay";

    WriteItemSet(file, ItemSet::Recent, {130});
    EXPECT_EQ(ReadItemSet(file, ItemSet::Recent).ids, (std::vector<int>{130}));
}

TEST(ItemSets, MissingKeysReadAsOneAndHugeCountsAreCapped) {
    TempFolder folder;
    CIniFileRW file = FileAt(folder / L"setting.ini");
    // A missing file: count 1, entry ID 1, which names no node.
    EXPECT_EQ(ReadItemSet(file, ItemSet::Default).ids, (std::vector<int>{1}));

    WriteFileText(file.Path(), "[OneClickItem]\r\nOneClickItems=2000000000\r\nitem0=104\r\n");
    ItemSetContent content = ReadItemSet(file, ItemSet::OneClick);
    ASSERT_EQ(content.ids.size(), static_cast<size_t>(kMaxItemSetEntries));
    EXPECT_EQ(content.ids[0], 104);
    EXPECT_EQ(content.ids[1], 1);
}
