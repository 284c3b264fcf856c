// The whole catalogue against a machine full of traces: every item finds exactly its own, the
// one-click erase removes them all, and nothing that no target names is touched.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Catalogue.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "framework/Strings.h"
#include "tests/engine/catalogue/TraceWorld.h"

namespace scw::test {
namespace {

std::vector<CMyObject*> AllItems(const Catalogue& catalogue) {
    std::vector<CMyObject*> items;
    catalogue.ForEach([&](CMyObject* node) {
        if (node->level == LevelItem) items.push_back(node);
    });
    return items;
}

std::wstring Lines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\n";
    return text;
}

std::vector<Found> Minus(const std::vector<Found>& a, const std::vector<Found>& b) {
    std::vector<Found> rest;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(rest));
    return rest;
}

TEST(TraceWorld, ScanFindsEveryTraceUnderItsItemAndOneClickEraseRemovesThemAll) {
    TraceWorld world;
    Catalogue catalogue;
    catalogue.Build();
    std::vector<CMyObject*> items = AllItems(catalogue);
    ASSERT_EQ(items.size(), 139u);

    // As the one-click erase: scan every item, then delete every item whatever it found.
    RecordingRun run;
    for (CMyObject* item : items) {
        CollectTargets(*item, world.Env());
        ScanTargets(run, *item, world.Env());
    }
    std::vector<Found> found = run.found;
    std::sort(found.begin(), found.end());
    std::vector<Found> expected = world.Expected();
    EXPECT_TRUE(found == expected) << "not found:\n"
                                   << WideToUtf8(Describe(Minus(expected, found))) << "unexpected:\n"
                                   << WideToUtf8(Describe(Minus(found, expected)));

    for (CMyObject* item : items) DeleteTargets(run, *item, world.Env());
    EXPECT_EQ(Lines(world.TracesLeft()), L"");
    EXPECT_EQ(Lines(world.SentinelsLost()), L"");
    for (const auto& [success, number] : run.deletions) EXPECT_TRUE(success);
}

}  // namespace
}  // namespace scw::test
