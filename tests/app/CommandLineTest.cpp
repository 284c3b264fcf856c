#include <gtest/gtest.h>

#include "app/CommandLine.h"

using scw::ParseCommandLine;

TEST(CommandLine, NoOptionsGiveDefaults) {
    auto o = ParseCommandLine(LR"("C:\Program Files\Scourwell\Scourwell.exe")");
    EXPECT_FALSE(o.autoStart);
    EXPECT_EQ(o.shredPath, L"");
}

TEST(CommandLine, ShredPathIsTheRestOfTheLineUnchanged) {
    EXPECT_EQ(ParseCommandLine(LR"(C:\S.exe -S:C:\My Files\a b.txt)").shredPath, LR"(C:\My Files\a b.txt)");
    // Quotation marks stay part of the path; nothing is trimmed.
    EXPECT_EQ(ParseCommandLine(LR"(C:\S.exe -S:"C:\x y\a.txt" )").shredPath, LR"("C:\x y\a.txt" )");
    // Only the first "-S:" starts the path.
    EXPECT_EQ(ParseCommandLine(LR"(C:\S.exe -S:C:\a-S:b)").shredPath, LR"(C:\a-S:b)");
}

TEST(CommandLine, AWhollyQuotedShredArgumentLosesOnlyItsClosingQuote) {
    // What a launcher that quotes every argument with a blank sends.
    EXPECT_EQ(ParseCommandLine(LR"("C:\S.exe" "-S:C:\To shred\a b.txt")").shredPath, LR"(C:\To shred\a b.txt)");
    // A quote that opened inside the path is the path's own, as before.
    EXPECT_EQ(ParseCommandLine(LR"(C:\S.exe -S:"C:\x y\a.txt")").shredPath, LR"("C:\x y\a.txt")");
}

TEST(CommandLine, ShredOptionWithNothingAfterItGivesAnEmptyPath) {
    auto o = ParseCommandLine(LR"(C:\S.exe -S:)");
    EXPECT_EQ(o.shredPath, L"");
    EXPECT_FALSE(o.autoStart);
}

TEST(CommandLine, AutoStartIsACaseSensitiveSubstringAfterPositionZero) {
    EXPECT_TRUE(ParseCommandLine(LR"(C:\S.exe -A)").autoStart);
    EXPECT_FALSE(ParseCommandLine(LR"(C:\S.exe -a)").autoStart);
    EXPECT_FALSE(ParseCommandLine(L"-A").autoStart);
    EXPECT_FALSE(ParseCommandLine(L"-Ax").autoStart);
    EXPECT_TRUE(ParseCommandLine(L"-A -A").autoStart);
    // Found anywhere, also inside a shred path.
    auto o = ParseCommandLine(LR"(C:\S.exe -S:C:\docs\x-A.txt)");
    EXPECT_TRUE(o.autoStart);
    EXPECT_EQ(o.shredPath, LR"(C:\docs\x-A.txt)");
}
