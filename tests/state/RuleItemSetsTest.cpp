// The rule entries of the three item sets in setting.ini: stored by name in sections of their own,
// round-tripping exactly, and leaving the catalogue's sets and a file of today's format alone.
#include <gtest/gtest.h>

#include "state/ItemSets.h"
#include "state/RuleItemSets.h"
#include "tests/common/TestSupport.h"

namespace scw::test {
namespace {

TEST(RuleItemSets, RoundTripByNameBesideTheCatalogueSetsWhichStayAsTheyWere) {
    TempFolder temp(L"rulesets");
    const std::string today =
        "[General]\r\nAutoRun=0\r\n[DefaultItem]\r\nDefaultItems=2\r\nitem0=104\r\nitem1=106\r\n"
        "[OneClickItem]\r\nOneClickItems=-1\r\n";
    WriteFileText(temp / L"setting.ini", today);
    const CIniFileRW file(CIniFileRW::ByPath{}, temp / L"setting.ini");

    // A file of today's format has no rule sets, and reads as it did.
    EXPECT_FALSE(ReadRuleItemSet(file, ItemSet::Default).written);
    EXPECT_TRUE(ReadRuleItemSet(file, ItemSet::Recent).names.empty());

    const std::vector<std::wstring> names{L"Google Chrome Cache", L"Mozilla Firefox Cookies", L"Caf\x00E9 = Bar;x"};
    WriteRuleItemSet(file, ItemSet::Default, names);
    WriteRuleItemSet(file, ItemSet::OneClick, {});
    const RuleItemSetContent back = ReadRuleItemSet(file, ItemSet::Default);
    EXPECT_TRUE(back.written);
    EXPECT_EQ(back.names, names);
    EXPECT_TRUE(ReadRuleItemSet(file, ItemSet::OneClick).written);
    EXPECT_TRUE(ReadRuleItemSet(file, ItemSet::OneClick).names.empty());
    EXPECT_FALSE(ReadRuleItemSet(file, ItemSet::Recent).written);
    // A shorter set replaces a longer one whole: no stale names come back.
    WriteRuleItemSet(file, ItemSet::Default, {L"Jump Lists"});
    EXPECT_EQ(ReadRuleItemSet(file, ItemSet::Default).names, std::vector<std::wstring>{L"Jump Lists"});

    EXPECT_EQ(ReadItemSet(file, ItemSet::Default).ids, (std::vector<int>{104, 106}));
    EXPECT_EQ(ReadItemSet(file, ItemSet::OneClick).count, -1);
    EXPECT_EQ(file.ReadInt(L"General", L"AutoRun"), 0);
}

}  // namespace
}  // namespace scw::test
