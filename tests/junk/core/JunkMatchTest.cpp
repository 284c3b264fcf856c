// Which names the junk type table takes: the last extension decides, names are matched in lower
// case, and a name without a dot is never junk.
#include <gtest/gtest.h>

#include "junk/core/JunkMatch.h"
#include "junk/core/JunkTypes.h"

using namespace scw;

namespace {
bool Junk(std::vector<int> rows, const std::wstring& name) {
    return JunkMatcher(JunkPatternsOfRows(rows)).Matches(JunkListName(name));
}
}  // namespace

TEST(JunkMatch, TheLastExtensionDecidesAndCaseIsIgnored) {
    struct Case {
        std::vector<int> rows;
        const wchar_t* name;
        bool junk;
    } cases[] = {
        {{9, 45}, L"readme", false},  // no dot: never
        {{9}, L"~$book.xlsx", true},
        {{3}, L"a.~bc", true},
        {{3}, L"a.b~c", false},
        {{10}, L"x.ab~", true},
        {{10}, L"x.abc~", false},
        {{33}, L"FILE0001._DD", true},
        {{33}, L"file01._dd", false},
        {{42}, L"twain001.mtx", true},
        {{42}, L"twain01.mtx", false},
        {{43}, L"Thumbs.db", true},
        {{43}, L"my.thumbs.db", false},
        {{37}, L"archive.tar.old", true},
        {{6}, L"a.tmp", true},
        {{6}, L"a.TMP", true},
        {{6}, L"a.tmp2", false},
        {{6}, L"a.tmp.x", false},
        {{5}, L"odd.^", true},
        {{2}, L"setup.$$$", true},
        {{24}, L"chklist.ms", true},
        {{23}, L"ffastun.ffl", true},
        {{23}, L"ffastun0.ffl", false},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, L"notes.txt", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Junk(c.rows, c.name), c.junk) << c.name;
    EXPECT_EQ(JunkListName(L"FILE0001._DD"), L"file0001._dd");
}

TEST(JunkMatch, TableHasFortyFiveRowsWithTheFirstTwelveAsDefault) {
    ASSERT_EQ(JunkTypes().size(), 45u);
    EXPECT_EQ(DefaultJunkPatterns().size(), 12u);
    EXPECT_EQ(DefaultJunkPatterns().back(), L"*.nch");
    // Rows 24 and 32 both hold "chklist.*": either one selects it.
    EXPECT_EQ(JunkPatternsOfRows({24}), JunkPatternsOfRows({32}));
    EXPECT_EQ(JunkPatternsOfRows({0, 46, 45}), (std::vector<std::wstring>{L"*.wri"}));
}
