// scourwell-cli shred run as a separate process on planted files.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/UniqueHandle.h"
#include "shred/core/ShredFile.h"
#include "tests/cli/CliProcess.h"
#include "tests/shred/ShredFixtures.h"

namespace scw::test {
namespace {

class ShredConsoleTest : public testing::Test {
protected:
    void SetUp() override {
        WriteFileText(folder + L"one.txt", std::string(70000, 'a'));
        WriteFileText(folder + L"sub\\two.txt", "22");
        WriteFileText(files / L"sentinel.txt", "keep");
    }
    std::wstring Quoted(const std::wstring& path) const { return L"\"" + path + L"\""; }

    CliCopy cli;
    TempFolder files{L"clishred"};
    std::wstring folder = files / L"folder\\";
};

TEST_F(ShredConsoleTest, WithoutYesListsEachFileBelowAFolderAndShredsNothing) {
    ProcessResult r = cli.Run(L"shred --passes 7 " + Quoted(files / L"folder"));
    EXPECT_EQ(r.exitCode, 2u) << r.errors;
    EXPECT_EQ(Lines(r.output), (std::vector<std::string>{Utf8(folder) + "one.txt\t70000",
                                                          Utf8(folder) + "sub\\two.txt\t2"}));
    EXPECT_NE(r.errors.find("--yes"), std::string::npos) << r.errors;
    EXPECT_EQ(ReadFileText(folder + L"one.txt"), std::string(70000, 'a'));
}

TEST_F(ShredConsoleTest, WithYesReportsEveryFileAndExitsWithOneWhenAnyWasNotShredded) {
    WriteFileText(folder + L"readonly.txt", "ro");
    ::SetFileAttributesW((folder + L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileText(files / L"chosen.txt", "shared");
    ASSERT_TRUE(::CreateHardLinkW((files / L"other.txt").c_str(), (files / L"chosen.txt").c_str(), nullptr));

    ProcessResult r = cli.Run(L"shred --passes 3 " + Quoted(files / L"folder") + L" " + Quoted(files / L"chosen.txt") +
                              L" " + Quoted(kPlantedLinks + L"file-link.txt") + L" " + Quoted(files / L"gone.txt") +
                              L" --yes");
    EXPECT_EQ(r.exitCode, 1u) << r.errors;
    std::vector<std::string> lines = Lines(r.output);
    std::vector<std::string> expected{
                         "shredded\t" + Utf8(folder) + "one.txt\t70000",
                         "shredded\t" + Utf8(folder) + "sub\\two.txt\t2",
                         "skipped\t" + Utf8(files / L"chosen.txt") + "\thard link",
                         "skipped\t" + Utf8(files / L"gone.txt") + "\tmissing",
                         "skipped\t" + Utf8(folder) + "readonly.txt\tread-only",
                         "skipped\t" + Utf8(kPlantedLinks) + "file-link.txt\tlink",
                     };
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(LastLine(r.errors), "shredded 2, skipped 4, failed 0");
    EXPECT_FALSE(FileExists(folder + L"one.txt"));
    EXPECT_FALSE(FileExists(files / L"chosen.txt"));
    EXPECT_EQ(ReadFileText(files / L"other.txt"), "shared");
    EXPECT_EQ(ReadFileText(kPlantedLinks + L"target.txt"), "precious");
    EXPECT_EQ(ReadFileText(folder + L"readonly.txt"), "ro");
    EXPECT_EQ(ReadFileText(files / L"sentinel.txt"), "keep");
    ::SetFileAttributesW((folder + L"readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ShredConsoleTest, AllShreddedExitsWithZeroAndJsonCarriesTheSize) {
    ProcessResult r = cli.Run(L"shred " + Quoted(folder + L"one.txt") + L" --yes --json");
    EXPECT_EQ(r.exitCode, 0u) << r.errors;
    std::vector<std::string> lines = Lines(r.output);
    ASSERT_EQ(lines.size(), 1u) << r.output;
    auto record = ParseJsonObject(lines[0]);
    ASSERT_TRUE(record) << lines[0];
    EXPECT_EQ(record->at("result"), JsonValue(std::wstring(L"shredded")));
    EXPECT_EQ(record->at("size"), JsonValue(70000LL));
    EXPECT_FALSE(FileExists(folder + L"one.txt"));
}

TEST_F(ShredConsoleTest, ADriveOrTopFolderRefusesTheWholeCommandAndListsNothing) {
    wchar_t profile[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, profile), S_OK);
    // Previews only: these are the prefix's real folders.
    for (const std::wstring& line : {std::wstring(L"shred C:\\"), std::wstring(L"shred C:"),
                                     L"shred " + Quoted(folder + L"one.txt") + L" C:\\Windows",
                                     L"shred --passes 7 " + Quoted(profile) + L" --json"}) {
        SCOPED_TRACE(testing::Message() << Utf8(line));
        ProcessResult r = cli.Run(line);
        EXPECT_EQ(r.exitCode, 2u) << r.errors;
        EXPECT_TRUE(r.output.empty()) << r.output.substr(0, 300);
        EXPECT_NE(r.errors.find("refusing"), std::string::npos) << r.errors;
    }
    EXPECT_EQ(ReadFileText(folder + L"one.txt"), std::string(70000, 'a'));
}

TEST_F(ShredConsoleTest, WithYesAProtectedFolderStillRefusesTheWholeCommandAndShredsNothing) {
    // A stand-in for a top folder: the parent of the TEMP folder the program is given.
    const std::wstring fake = files / L"fake";
    WriteFileText(fake + L"\\tmp\\scratch.txt", "scratch");
    WriteFileText(fake + L"\\notes.txt", "notes");
    wchar_t saved[MAX_PATH] = {};
    const DWORD savedLength = ::GetEnvironmentVariableW(L"TEMP", saved, MAX_PATH);
    ::SetEnvironmentVariableW(L"TEMP", (fake + L"\\tmp").c_str());
    ProcessResult r = cli.Run(L"shred " + Quoted(folder + L"one.txt") + L" " + Quoted(fake) + L" --yes");
    ::SetEnvironmentVariableW(L"TEMP", savedLength ? saved : nullptr);
    EXPECT_EQ(r.exitCode, 2u) << r.errors;
    EXPECT_TRUE(r.output.empty()) << r.output;
    EXPECT_NE(r.errors.find("refusing " + Utf8(fake)), std::string::npos) << r.errors;
    EXPECT_EQ(ReadFileText(folder + L"one.txt"), std::string(70000, 'a'));
    EXPECT_EQ(ReadFileText(fake + L"\\notes.txt"), "notes");
    EXPECT_EQ(ReadFileText(fake + L"\\tmp\\scratch.txt"), "scratch");
}

TEST_F(ShredConsoleTest, AFileHeldWithoutWriteSharingIsSkippedAsLocked) {
    UniqueFileHandle holder(::CreateFileW((folder + L"one.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    ProcessResult r = cli.Run(L"shred " + Quoted(folder + L"one.txt") + L" --yes");
    holder.Reset();
    EXPECT_EQ(r.exitCode, 1u) << r.errors;
    EXPECT_EQ(Lines(r.output), std::vector<std::string>{"skipped\t" + Utf8(folder) + "one.txt\tlocked"});
    EXPECT_EQ(ReadFileText(folder + L"one.txt"), std::string(70000, 'a'));
}

TEST_F(ShredConsoleTest, AFileBelowAFolderWhosePathIsTooLongIsReportedSkippedAndTheExitIsOne) {
    const std::wstring tooLong = PlantTooLongFile(folder);
    ProcessResult r = cli.Run(L"shred " + Quoted(files / L"folder") + L" --yes");
    EXPECT_EQ(r.exitCode, 1u) << r.errors;
    const std::vector<std::string> lines = Lines(r.output);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "skipped\t" + Utf8(tooLong) + "\ttoo long"), lines.end())
        << r.output;
    EXPECT_NE(r.errors.find("shredded 2, skipped 1, failed 0"), std::string::npos) << r.errors;
    EXPECT_EQ(ReadFileText(L"\\\\?\\" + tooLong), "long");
    EXPECT_EQ(ReadFileText(files / L"sentinel.txt"), "keep");
    RemoveTree(L"\\\\?\\" + folder);
}

TEST_F(ShredConsoleTest, HelpNamesEveryReasonARecordCanCarry) {
    ProcessResult r = cli.Run(L"--help");
    EXPECT_EQ(r.exitCode, 0u);
    std::vector<std::wstring> reasons;
    for (ShredRefusal refusal : {ShredRefusal::Missing, ShredRefusal::Folder, ShredRefusal::Link,
                                 ShredRefusal::ReadOnly, ShredRefusal::Locked, ShredRefusal::BadPath,
                                 ShredRefusal::ProtectedFolder, ShredRefusal::Moved, ShredRefusal::TooLong}) {
        ShredCheck check;
        check.refusal = refusal;
        reasons.push_back(RefusalText(check));
    }
    for (FileResult result : {FileResult::NameRemoved, FileResult::Stopped}) {
        FileOutcome outcome;
        outcome.result = result;
        reasons.push_back(outcome.Reason());
    }
    // Help text wraps at blanks: compare with the line breaks and indents folded away.
    std::string help;
    for (const std::string& line : Lines(r.output))
        if (size_t start = line.find_first_not_of(' '); start != std::string::npos) help += " " + line.substr(start);
    for (const std::wstring& reason : reasons) EXPECT_NE(help.find(Utf8(reason)), std::string::npos) << Utf8(reason);
}

TEST_F(ShredConsoleTest, OnlyTheCommandWordOrAnOptionAsksForHelpAFileNamedHelpIsShredded) {
    // The program runs in its own folder, so the bare name is a file there.
    const std::wstring named = cli.Folder() + L"help";
    WriteFileText(named, "secret");
    ProcessResult r = cli.Run(L"shred help --yes");
    EXPECT_EQ(r.exitCode, 0u) << r.errors;
    EXPECT_EQ(Lines(r.output), std::vector<std::string>{"shredded\t" + Utf8(named) + "\t6"});
    EXPECT_FALSE(FileExists(named));
    EXPECT_EQ(ReadFileText(folder + L"one.txt"), std::string(70000, 'a'));
    EXPECT_EQ(ReadFileText(files / L"sentinel.txt"), "keep");

    for (const wchar_t* line : {L"help", L"--json help", L"shred --help", L"shred help --help"}) {
        ProcessResult asked = cli.Run(line);
        EXPECT_EQ(asked.exitCode, 0u) << Utf8(line);
        EXPECT_NE(asked.output.find("Usage:"), std::string::npos) << Utf8(line);
    }
    EXPECT_EQ(cli.Run(L"scan help").exitCode, 2u) << "a selection named help is a usage error, not a request";
}

TEST_F(ShredConsoleTest, UsageErrorsExitWithTwo) {
    for (const wchar_t* line : {L"shred", L"shred --passes 2 x.txt", L"shred --passes", L"scan 106 --passes 3"}) {
        SCOPED_TRACE(testing::Message() << line);
        ProcessResult r = cli.Run(line);
        EXPECT_EQ(r.exitCode, 2u) << r.errors;
        EXPECT_TRUE(r.output.empty());
    }
    EXPECT_EQ(ReadFileText(folder + L"one.txt"), std::string(70000, 'a'));
}

}  // namespace
}  // namespace scw::test
