// A searched folder swapped for a link between the search and the delete: nothing the link leads
// to is deleted, and each refused row says why.
#include <gtest/gtest.h>

#include "junk/core/JunkDelete.h"
#include "junk/core/JunkTypes.h"
#include "tests/common/TestSupport.h"
#include "tests/junk/core/JunkFixtures.h"

using namespace scw;
using namespace scw::test;

namespace {

class JunkSwap : public ::testing::Test {
protected:
    TempFolder temp{L"junkswap"};
    std::wstring Root() const { return temp / L"r4\\"; }
    void SetUp() override {
        WriteFileText(Root() + L"a.tmp");
        WriteFileText(Root() + L"b.tmp");
        WriteFileText(temp / L"outside\\a.tmp", "precious");
        WriteFileText(temp / L"outside\\b.tmp", "precious");
    }
    std::vector<JunkRow> Rows() {
        RecordingJunkView view;
        std::atomic<bool> stop{false};
        SearchJunk(Root(), JunkMatcher(DefaultJunkPatterns()), view, JunkStop{&stop, nullptr});
        return view.rows;
    }
    void ExpectOutsideUntouched() {
        EXPECT_EQ(ReadFileText(temp / L"outside\\a.tmp"), "precious");
        EXPECT_EQ(ReadFileText(temp / L"outside\\b.tmp"), "precious");
    }
};

// From the Linux side nothing the program holds can stop the swap under Wine: the check of each
// row against the final path the search recorded refuses it.
TEST_F(JunkSwap, SwappedFromTheLinuxSideBeforeTheDeleteEveryRowIsRefusedAsMoved) {
    const std::vector<JunkRow> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    if (!RenameFromLinux(Root(), temp / L"r4-old")) GTEST_SKIP() << "needs Wine";
    ASSERT_TRUE(MakeFolderLink(Root(), temp / L"outside"));

    std::vector<std::wstring> reasons;
    const int failed = DeleteJunkFiles(rows, [&](const JunkRow&, const DeleteOutcome& o) { reasons.push_back(o.Reason()); });
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(reasons, (std::vector<std::wstring>{L"moved", L"moved"}));
    ExpectOutsideUntouched();
    EXPECT_TRUE(FileExists(temp / L"r4-old\\a.tmp"));
    RemoveFolderLink(Root());
}

// The way a Windows program swaps a folder (rename it, put a link in its place) is blocked while
// the delete works in it: the folder is held without delete sharing.
TEST_F(JunkSwap, AWindowsRenameOfTheFolderIsRefusedWhileItsFilesAreDeleted) {
    const std::vector<JunkRow> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    bool tried = false, renamed = false;
    const int failed = DeleteJunkFiles(rows, [&](const JunkRow&, const DeleteOutcome&) {
        if (std::exchange(tried, true)) return;
        renamed = ::MoveFileExW((temp / L"r4").c_str(), (temp / L"r4-old").c_str(), 0) != 0;
        if (renamed) MakeFolderLink(temp / L"r4", temp / L"outside");
    });
    EXPECT_FALSE(renamed);
    EXPECT_EQ(failed, 0);
    EXPECT_FALSE(FileExists(Root() + L"a.tmp"));
    EXPECT_FALSE(FileExists(Root() + L"b.tmp"));
    ExpectOutsideUntouched();
    if (renamed) RemoveFolderLink(temp / L"r4");
}

}  // namespace
