// scourwell-cli with rule files beside it: listing the entries, choosing them by name or all
// detected ones, scanning and cleaning a planted world the entries reach through a variable.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/CliProcess.h"

using namespace scw;
using namespace scw::test;

namespace {

class CliRulesTest : public testing::Test {
protected:
    void SetUp() override {
        // The program inherits this process's environment.
        ::SetEnvironmentVariableW(L"SCW_RULE_WORLD", world.Path().c_str());
        WriteFileText(world / L"Cache\\a.bin");
        WriteFileText(world / L"Cache\\sub\\b.bin");
        WriteFileText(world / L"Own\\x.tmp");
        WriteFileText(world / L"Own\\keep.txt");
        WriteFileText(world / L"Elsewhere\\keep.bin");
        WriteFileText(cli.Folder() + L"winapp2.ini",
                      "[Test Cache *]\r\nLangSecRef=3022\r\nWarning=Closes the test.\r\n"
                      "FileKey1=%SCW_RULE_WORLD%\\Cache|*.*|RECURSE\r\n"
                      "[Absent App *]\r\nLangSecRef=3021\r\nDetect=HKCU\\Software\\ScourwellTests\\NoSuchKey\r\n"
                      "FileKey1=%SCW_RULE_WORLD%\\Elsewhere|*.*\r\n");
        WriteFileText(cli.Folder() + L"rules\\own.ini",
                      "[Own Entry]\nSection=Ours\nColour=blue\nFileKey1=%SCW_RULE_WORLD%\\Own|*.tmp\n");
    }
    void TearDown() override { ::SetEnvironmentVariableW(L"SCW_RULE_WORLD", nullptr); }

    std::string Trace(const std::string& entry, const std::string& folder, const std::string& name) const {
        return "rule\t" + entry + "\tfile\t" + Utf8(world.Path()) + folder + "\t" + name;
    }

    CliCopy cli;
    TempFolder world{L"cliworld"};
};

TEST_F(CliRulesTest, RulesListsEveryEntryWithItsGroupStateAndFileAndSaysWhereTheProblemsAre) {
    const ProcessResult result = cli.Run(L"rules");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(Lines(result.output), (std::vector<std::string>{"Test Cache\tInternet\tdetected\twinapp2.ini",
                                                              "Absent App\tApplications\tabsent\twinapp2.ini",
                                                              "Own Entry\tOurs\tdetected\trules\\own.ini"}));
    EXPECT_NE(result.errors.find("rules\\own.ini:3: unknown key Colour: ignored"), std::string::npos);

    CliCopy bare;
    const ProcessResult none = bare.Run(L"rules --json");
    EXPECT_EQ(none.exitCode, 0u);
    EXPECT_TRUE(none.output.empty());
}

TEST_F(CliRulesTest, ChosenEntriesScanBesideACatalogueSelectionAndCleanAsTheCatalogueDoes) {
    ProcessResult scan = cli.Run(L"scan --rule \"test cache *\" --rule Nope");
    EXPECT_EQ(scan.exitCode, 0u);
    std::vector<std::string> lines = Lines(scan.output);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{Trace("Test Cache", "Cache\\", "a.bin"),
                                               Trace("Test Cache", "Cache\\sub\\", "b.bin")}));
    EXPECT_NE(scan.errors.find("ignored rule names that name no entry: Nope"), std::string::npos);
    EXPECT_NE(scan.errors.find("warning for Test Cache: Closes the test."), std::string::npos);

    const ProcessResult targets = cli.Run(L"targets 104 --rule \"Own Entry\"");
    EXPECT_EQ(targets.exitCode, 0u);
    EXPECT_EQ(LastLine(targets.output), "rule\tOwn Entry\tfile\t%SCW_RULE_WORLD%\\Own\t*.tmp");
    EXPECT_EQ(targets.output.rfind("104\t", 0), 0u);

    const ProcessResult preview = cli.Run(L"clean --rules");
    EXPECT_EQ(preview.exitCode, 2u);
    EXPECT_TRUE(FileExists(world / L"Cache\\a.bin"));

    const ProcessResult clean = cli.Run(L"clean --rules --yes --json");
    EXPECT_EQ(clean.exitCode, 0u);
    EXPECT_EQ(Lines(clean.output).size(), 3u);
    EXPECT_EQ(LastLine(clean.errors), "deleted 3, failed 0");
    EXPECT_FALSE(FileExists(world / L"Cache\\a.bin"));
    EXPECT_FALSE(FileExists(world / L"Cache\\sub\\b.bin"));
    EXPECT_FALSE(FileExists(world / L"Own\\x.tmp"));
    // Not chosen (not detected), or not named by the chosen entry.
    EXPECT_TRUE(FileExists(world / L"Elsewhere\\keep.bin"));
    EXPECT_TRUE(FileExists(world / L"Own\\keep.txt"));

    EXPECT_EQ(cli.Run(L"junk --rules").exitCode, 2u);
    EXPECT_EQ(cli.Run(L"scan --rule").exitCode, 2u);
}

TEST_F(CliRulesTest, TheSavedSetsCarryTheirRuleEntriesAndForgetOnesThatAreGone) {
    cli.WriteSettings(
        "[DefaultItem]\r\nDefaultItems=0\r\n"
        "[DefaultRuleItem]\r\nDefaultRuleItems=2\r\nitem0=Gone Entry\r\nitem1=Own Entry\r\n"
        "[OneClickItem]\r\nOneClickItems=0\r\n[RecentItem]\r\nRecentItems=-1\r\n");
    const ProcessResult scan = cli.Run(L"scan recent");
    EXPECT_EQ(scan.exitCode, 0u);
    EXPECT_EQ(Lines(scan.output), std::vector<std::string>{Trace("Own Entry", "Own\\", "x.tmp")});
    EXPECT_EQ(scan.errors.find("Gone Entry"), std::string::npos) << scan.errors;

    const ProcessResult clean = cli.Run(L"clean default --yes");
    EXPECT_EQ(LastLine(clean.errors), "deleted 1, failed 0");
    EXPECT_FALSE(FileExists(world / L"Own\\x.tmp"));
    EXPECT_TRUE(FileExists(world / L"Cache\\a.bin"));
}

}  // namespace
