// How scourwell-cli reads its command line and selections: item sets from the setting.ini beside
// it, unknown ids, and the usage errors that must stop it before it touches anything.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/CliProcess.h"

using namespace scw;
using namespace scw::test;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<std::string> ItemIds(const std::string& output) {
    std::vector<std::string> ids;
    for (const std::string& line : Lines(output)) ids.push_back(line.substr(0, line.find('\t')));
    return ids;
}

TEST(CliSelection, SetsComeFromSettingIniWithTheSweepPagesFallbacks) {
    CliCopy cli;
    cli.WriteSettings(
        "[DefaultItem]\r\nDefaultItems=3\r\nitem0=125\r\nitem1=999\r\nitem2=104\r\n"
        "[OneClickItem]\r\nOneClickItems=-1\r\nitem0=106\r\n"
        "[RecentItem]\r\nRecentItems=-1\r\n");

    // A recent set that was never written stands for the default set; ids of no node are named.
    ProcessResult recent = cli.Run(L"targets recent");
    EXPECT_EQ(recent.exitCode, 0u) << recent.errors;
    EXPECT_EQ(ItemIds(recent.output), (std::vector<std::string>{"104", "104", "125"}));
    EXPECT_TRUE(Contains(recent.errors, "ignored ids that name no item: 999")) << recent.errors;

    // A one-click set with a negative count holds nothing, with no fallback.
    ProcessResult oneClick = cli.Run(L"scan oneclick");
    EXPECT_EQ(oneClick.exitCode, 0u) << oneClick.errors;
    EXPECT_EQ(oneClick.output, "");
    EXPECT_TRUE(Contains(oneClick.errors, "0 traces in 0 items")) << oneClick.errors;

    // Listed ids, a program id standing for its items, unknown ids reported once.
    ProcessResult listed = cli.Run(L"targets 999,125,103,5,999");
    EXPECT_EQ(listed.exitCode, 0u);
    EXPECT_TRUE(Contains(listed.errors, "ignored ids that name no item: 999, 5")) << listed.errors;
    std::vector<std::string> ids = ItemIds(listed.output);
    EXPECT_EQ(ids.front(), "104");
    EXPECT_EQ(std::count(ids.begin(), ids.end(), "125"), 1);

    ProcessResult all = cli.Run(L"scan all");
    EXPECT_EQ(all.exitCode, 0u);
    EXPECT_TRUE(LastLine(all.errors).ends_with(" traces in 139 items")) << all.errors;

    cli.WriteSettings("");
    ProcessResult missing = cli.Run(L"scan default");
    EXPECT_EQ(missing.exitCode, 0u);
    EXPECT_TRUE(Contains(missing.errors, "no setting.ini")) << missing.errors;
    EXPECT_FALSE(FileExists(cli.Folder() + L"setting.ini"));
}

TEST(CliSelection, TargetsShowWhereAnItemLooks) {
    CliCopy cli;
    ProcessResult r = cli.Run(L"targets 104,125");
    std::vector<std::string> lines = Lines(r.output);
    ASSERT_EQ(lines.size(), 3u) << r.output;
    EXPECT_EQ(lines[0], "104\tHKEY_CURRENT_USER\\\tSoftware\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs\t*.*\t1");
    EXPECT_TRUE(lines[1].starts_with("104\t\tC:\\")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with("\\\t*.*\t10")) << lines[1];
    EXPECT_EQ(lines[2], "125\tHKEY_CURRENT_USER\\\tSoftware\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit\tlastkey\t0");
    EXPECT_EQ(LastLine(r.errors), "3 targets in 2 items");
}

TEST(CliSelection, UsageErrorsExitWithTwoBeforeAnyWork) {
    CliCopy cli;
    for (const wchar_t* line : {L"", L"wipe default", L"scan", L"scan 104,abc", L"scan -5", L"scan 104 --yes",
                                L"clean 104 --force", L"items 104", L"scan 104 105", L"scan ,"}) {
        ProcessResult r = cli.Run(line);
        EXPECT_EQ(r.exitCode, 2u) << Utf8(line);
        EXPECT_EQ(r.output, "") << Utf8(line);
        EXPECT_TRUE(Contains(r.errors, "--help")) << Utf8(line) << ": " << r.errors;
    }
    ProcessResult help = cli.Run(L"--help");
    EXPECT_EQ(help.exitCode, 0u);
    for (const char* word : {"items", "targets", "scan", "clean", "--yes", "--json", "default", "oneclick", "recent",
                             "all", "Ctrl+C", "Exit codes"})
        EXPECT_TRUE(Contains(help.output, word)) << word;
}

}  // namespace
