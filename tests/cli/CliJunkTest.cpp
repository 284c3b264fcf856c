// scourwell-cli junk run as a separate process on a planted folder: what it lists, that it
// deletes only with --yes, and what it refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/UniqueHandle.h"
#include "tests/cli/CliProcess.h"
#include "tests/common/HostStandIn.h"

using namespace scw;
using namespace scw::test;

namespace {
class CliJunkTest : public testing::Test {
protected:
    void SetUp() override {
        WriteFileText(root / L"A.TMP");
        WriteFileText(root / L"sub\\b.swp");
        WriteFileText(root / L"sub\\x.log");
        WriteFileText(root / L"keep.txt");
    }
    ProcessResult Junk(const std::wstring& arguments) const {
        // Unquoted: a backslash before a closing quote would escape it.
        return cli.Run(L"junk --root " + root.Path() + L" " + arguments);
    }
    static std::vector<std::string> SortedLines(const std::string& output) {
        std::vector<std::string> lines = Lines(output);
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    CliCopy cli;
    TempFolder root{L"clijunk"};
    std::string folder = Utf8(root.Path());
};
}  // namespace

TEST_F(CliJunkTest, ListsTheDefaultTypesOrTheChosenRowsAndDeletesNothing) {
    ProcessResult r = Junk(L"");
    EXPECT_EQ(r.exitCode, 0u) << r.errors;
    EXPECT_EQ(SortedLines(r.output), (std::vector<std::string>{"a.tmp\t" + folder, "b.swp\t" + folder + "sub\\"}));
    EXPECT_EQ(LastLine(r.errors), "2 junk files found");

    ProcessResult json = Junk(L"--types 35 --json");
    EXPECT_EQ(json.exitCode, 0u) << json.errors;
    std::vector<std::string> lines = Lines(json.output);
    ASSERT_EQ(lines.size(), 1u) << json.output;
    auto record = ParseJsonObject(lines[0]);
    ASSERT_TRUE(record) << lines[0];
    EXPECT_EQ(record->at("file"), JsonValue(std::wstring(L"x.log")));
    EXPECT_EQ(record->at("folder"), JsonValue(root / L"sub\\"));

    // A root typed without its backslash, and a list with a range.
    ProcessResult ranged = cli.Run(L"junk --root \"" + root.Path().substr(0, root.Path().size() - 1) +
                                   L"\" --types 1,6,30-35");
    EXPECT_EQ(SortedLines(ranged.output),
              (std::vector<std::string>{"a.tmp\t" + folder, "b.swp\t" + folder + "sub\\", "x.log\t" + folder + "sub\\"}));

    ProcessResult preview = Junk(L"--delete");
    EXPECT_EQ(preview.exitCode, 2u) << preview.errors;
    EXPECT_EQ(Lines(preview.output).size(), 2u);
    EXPECT_TRUE(FileExists(root / L"A.TMP"));
    EXPECT_TRUE(FileExists(root / L"sub\\b.swp"));
}

TEST_F(CliJunkTest, DeleteWithYesReportsEachFileAndALockedOneMakesItExitWithOne) {
    const std::wstring held = root / L"sub\\b.swp";
    UniqueFileHandle handle(
        ::CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(handle);
    ProcessResult r = Junk(L"--delete --yes");
    EXPECT_EQ(r.exitCode, 1u) << r.errors;
    EXPECT_EQ(SortedLines(r.output),
              (std::vector<std::string>{"deleted\t" + folder + "A.TMP", "failed\t" + folder + "sub\\b.swp\tlocked"}));
    EXPECT_EQ(LastLine(r.errors), "deleted 1, failed 1");
    EXPECT_FALSE(FileExists(root / L"A.TMP"));
    EXPECT_TRUE(FileExists(held));
    EXPECT_TRUE(FileExists(root / L"keep.txt"));
    EXPECT_TRUE(FileExists(root / L"sub\\x.log"));
    EXPECT_FALSE(TakePendingRename(held)) << "nothing is left to be deleted at restart";
    handle.Reset();

    ProcessResult rest = Junk(L"--delete --yes --json");
    EXPECT_EQ(rest.exitCode, 0u) << rest.errors;
    auto record = ParseJsonObject(LastLine(rest.output));
    ASSERT_TRUE(record) << rest.output;
    EXPECT_EQ(record->at("result"), JsonValue(std::wstring(L"deleted")));
    EXPECT_EQ(record->at("path"), JsonValue(held));
}

TEST_F(CliJunkTest, BadTypesAndMisplacedOptionsAreUsageErrors) {
    for (const wchar_t* arguments : {L"--types 0", L"--types 46", L"--types 3-1", L"--types 1,,2", L"--types x",
                                     L"--types", L"--yes", L"extra"}) {
        ProcessResult r = Junk(arguments);
        EXPECT_EQ(r.exitCode, 2u) << Utf8(arguments);
        EXPECT_TRUE(r.output.empty()) << Utf8(arguments);
    }
    EXPECT_EQ(cli.Run(L"scan default --root C:\\").exitCode, 2u);
    EXPECT_EQ(cli.Run(L"junk --root").exitCode, 2u);
    ProcessResult help = cli.Run(L"--help");
    EXPECT_NE(help.output.find("junk [--root FOLDER] [--types default|all|LIST] [--delete [--yes]] [--json]"),
              std::string::npos);
    // The exit codes speak of junk too, and never promise it a restart queue.
    EXPECT_NE(help.output.find("junk --delete: some files could not be deleted (nothing is left"), std::string::npos);
    EXPECT_NE(help.output.find("clean, junk --delete or shred without --yes"), std::string::npos);
    EXPECT_TRUE(FileExists(root / L"A.TMP"));
}

TEST_F(CliJunkTest, WithoutARootEveryFixedDiskIsSearched) {
    WriteFileText(root / L"MSCreate.dir");
    ProcessResult r = cli.Run(L"junk --types 44");
    EXPECT_EQ(r.exitCode, 0u) << r.errors;
    const std::vector<std::string> lines = Lines(r.output);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "mscreate.dir\t" + folder), 1) << r.output;
}

TEST_F(CliJunkTest, ADevicePathRootIsRefusedWithItsReasonAndNothingBehindItIsListedOrDeleted) {
    // Under Wine "\\?\unix\..." names the host's own files; the stand-in keeps this test off them.
    HostStandIn host;
    if (host.UnixFolder().empty()) GTEST_SKIP() << "needs Wine";
    for (const std::wstring& root : {host.DevicePath(), L"\\\\?\\" + host.Folder(), L"\\\\.\\" + host.Folder()}) {
        ProcessResult r = cli.Run(L"junk --root " + root + L" --types all --delete --yes");
        EXPECT_EQ(r.exitCode, 2u) << r.errors;
        EXPECT_EQ(r.output, "");
        EXPECT_NE(r.errors.find("refusing " + Utf8(root) + ": a device path"), std::string::npos) << r.errors;
    }
    EXPECT_TRUE(host.FilesSurvive());
    EXPECT_TRUE(FileExists(root / L"A.TMP"));
}
