// scourwell-cli run as a separate process on traces planted in the prefix: TEMP (item 106,
// every file listed) is pointed at a planted folder, the Paint and WordPad recent lists
// (items 122 and 126) are planted in the real HKCU keys and removed afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/UniqueHandle.h"
#include "tests/cli/CliProcess.h"
#include "tests/common/KeyAccess.h"

using namespace scw;
using namespace scw::test;

namespace {

const wchar_t kPaintKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List";
const wchar_t kWordPadKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List";

class CliTest : public testing::Test {
protected:
    void SetUp() override {
        DeleteRegTree(HKEY_CURRENT_USER, kPaintKey);
        DeleteRegTree(HKEY_CURRENT_USER, kWordPadKey);
        wchar_t saved[1024] = {};
        hadTemp = ::GetEnvironmentVariableW(L"TEMP", saved, 1024) > 0;
        savedTemp = saved;
        // The program inherits this process's environment.
        ::SetEnvironmentVariableW(L"TEMP", temp.c_str());
        WriteFileText(temp + L"\\a.txt");
        WriteFileText(temp + L"\\sub\\b.txt");
        WriteFileText(files / L"sentinel.txt");
        SetRegString(HKEY_CURRENT_USER, kPaintKey, L"File1", L"C:\\pictures\\one.bmp");
        SetRegString(HKEY_CURRENT_USER, kPaintKey, L"File2", L"C:\\pictures\\two.bmp");
        SetRegString(HKEY_CURRENT_USER, kWordPadKey, L"File1", L"C:\\letters\\x.rtf");
        cli.WriteSettings(
            "[DefaultItem]\r\nDefaultItems=2\r\nitem0=122\r\nitem1=999\r\n"
            "[OneClickItem]\r\nOneClickItems=-1\r\nitem0=106\r\n"
            "[RecentItem]\r\nRecentItems=-1\r\n");
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"TEMP", hadTemp ? savedTemp.c_str() : nullptr);
        DeleteRegTree(HKEY_CURRENT_USER, kPaintKey);
        DeleteRegTree(HKEY_CURRENT_USER, kWordPadKey);
    }

    std::string TempLine(const std::string& folder, const std::string& name) const {
        return "106\tTemporary file directory\tfile\t" + Utf8(temp) + folder + "\t" + name;
    }
    static std::string PaintLine(const std::string& name) {
        return "122\tMS Paint recent file list\treg\tHKEY_CURRENT_USER\\" + Utf8(kPaintKey) + "\t" + name;
    }
    static std::string WordPadLine(const std::string& name) {
        return "126\tWordPad recent file list\treg\tHKEY_CURRENT_USER\\" + Utf8(kWordPadKey) + "\t" + name;
    }

    CliCopy cli;
    TempFolder files{L"clifiles"};
    std::wstring temp = files / L"temp";
    std::wstring savedTemp;
    bool hadTemp = false;
};

TEST_F(CliTest, ScanPrintsThePlantedTracesInCatalogueOrderAndWritesNoItemSet) {
    std::string before = cli.ReadSettings();
    ProcessResult r = cli.Run(L"scan 126,106,122");
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0u) << r.errors;
    EXPECT_EQ(Lines(r.output), (std::vector<std::string>{TempLine("\\", "a.txt"), TempLine("\\sub\\", "b.txt"),
                                                          PaintLine("File1"), PaintLine("File2"),
                                                          WordPadLine("File1")}));
    std::vector<std::string> errors = Lines(r.errors);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "5 traces in 3 items");
    EXPECT_NE(r.errors.find("122 MS Paint recent file list: 2"), std::string::npos) << r.errors;
    // A scan only looks.
    EXPECT_TRUE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kPaintKey, L"File1"));
    EXPECT_EQ(cli.ReadSettings(), before);
}

TEST_F(CliTest, CleanWithoutYesOnlyPreviewsAndExitsWithTwo) {
    ProcessResult r = cli.Run(L"clean 106,122");
    EXPECT_EQ(r.exitCode, 2u) << r.errors;
    EXPECT_EQ(Lines(r.output).size(), 4u) << r.output;
    EXPECT_NE(r.errors.find("--yes"), std::string::npos) << r.errors;
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kPaintKey, L"File2"));
}

TEST_F(CliTest, CleanWithYesDeletesTheSelectedItemsOnlyAndReportsCounts) {
    ProcessResult r = cli.Run(L"clean 106,122 --yes");
    EXPECT_EQ(r.exitCode, 0u) << r.errors;
    EXPECT_EQ(Lines(r.output).size(), 4u) << r.output;
    std::vector<std::string> errors = Lines(r.errors);
    ASSERT_GE(errors.size(), 2u) << r.errors;
    EXPECT_EQ(errors[errors.size() - 2], "4 traces in 2 items");
    EXPECT_EQ(errors.back(), "deleted 4, failed 0");
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_FALSE(FileExists(temp + L"\\sub\\b.txt"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kPaintKey));
    EXPECT_TRUE(FileExists(files / L"sentinel.txt"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kWordPadKey, L"File1"));
}

TEST_F(CliTest, FileInUseMakesCleanExitWithOneAndIsQueuedForRestart) {
    std::wstring held = temp + L"\\held.dat";
    WriteFileText(held);
    {
        // Open without FILE_SHARE_DELETE, as a running program holds its files.
        UniqueFileHandle handle(
            ::CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(handle);
        ProcessResult r = cli.Run(L"clean 106 --yes");
        EXPECT_EQ(r.exitCode, 1u) << r.errors;
        EXPECT_NE(r.errors.find(", failed 1"), std::string::npos) << r.errors;
        EXPECT_TRUE(FileExists(held));
        EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    }
    EXPECT_TRUE(TakePendingRename(held));
}

TEST_F(CliTest, CleanNamesEachFileItLeftWithItsReasonAndLeavesWhatALinkLeadsTo) {
    WriteFileText(files / L"precious\\keep.txt", "precious");
    if (!MakeFileLink(temp + L"\\link.tmp", files / L"precious\\keep.txt")) GTEST_SKIP() << "needs Wine";
    const std::string link = Utf8(temp) + "\\link.tmp";

    ProcessResult r = cli.Run(L"clean 106 --yes");
    EXPECT_EQ(r.exitCode, 1u) << r.errors;
    std::vector<std::string> lines = Lines(r.output);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "failed\t" + link + "\tlink"), lines.end()) << r.output;
    EXPECT_EQ(LastLine(r.errors), "deleted 2, failed 1");
    EXPECT_EQ(ReadFileText(files / L"precious\\keep.txt"), "precious");
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));

    // The same record as JSON, for scripts.
    ProcessResult json = cli.Run(L"clean 106 --yes --json");
    EXPECT_EQ(json.exitCode, 1u) << json.errors;
    std::vector<std::string> records = Lines(json.output);
    ASSERT_FALSE(records.empty()) << json.output;
    auto failed = ParseJsonObject(records.back());
    ASSERT_TRUE(failed) << records.back();
    EXPECT_EQ(failed->at("result"), JsonValue(std::wstring(L"failed")));
    EXPECT_EQ(failed->at("path"), JsonValue(temp + L"\\link.tmp"));
    EXPECT_EQ(failed->at("reason"), JsonValue(std::wstring(L"link")));
    EXPECT_EQ(ReadFileText(files / L"precious\\keep.txt"), "precious");
}

TEST_F(CliTest, RegistryKeyThatWillNotGoMakesCleanExitWithOneAndTheOtherItemsStillGo) {
    {
        // Paint's list may be read but not changed, as a key that another account owns.
        WritesDenied denied(HKEY_CURRENT_USER, kPaintKey);
        ASSERT_TRUE(denied);
        if (!denied.Enforced()) GTEST_SKIP() << "key access lists are not enforced here";
        ProcessResult r = cli.Run(L"clean 122,126 --yes");
        EXPECT_EQ(r.exitCode, 1u) << r.errors;
        EXPECT_EQ(LastLine(r.errors), "deleted 1, failed 1") << r.errors;
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kWordPadKey)) << "the item after the failure is still deleted";
    }
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kPaintKey, L"File1"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kPaintKey, L"File2"));
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));
}

TEST_F(CliTest, JsonLinesParseAndKeepNamesThatTextFieldsCannotHold) {
    // A value name with a tab, a quote, a backslash and a non-ASCII letter.
    const std::wstring odd = L"tab\there \"q\" back\\slash \u00e9";
    SetRegString(HKEY_CURRENT_USER, kWordPadKey, odd, L"v");

    ProcessResult json = cli.Run(L"scan 106,126 --json");
    EXPECT_EQ(json.exitCode, 0u) << json.errors;
    std::vector<std::string> lines = Lines(json.output);
    ASSERT_EQ(lines.size(), 4u) << json.output;
    std::vector<std::map<std::string, JsonValue>> records;
    for (const std::string& line : lines) {
        auto record = ParseJsonObject(line);
        ASSERT_TRUE(record) << line;
        records.push_back(*record);
    }
    EXPECT_EQ(records[0].at("id"), JsonValue(106LL));
    EXPECT_EQ(records[0].at("item"), JsonValue(std::wstring(L"Temporary file directory")));
    EXPECT_EQ(records[0].at("type"), JsonValue(std::wstring(L"file")));
    EXPECT_EQ(records[0].at("location"), JsonValue(temp + L"\\"));
    EXPECT_EQ(records[0].at("name"), JsonValue(std::wstring(L"a.txt")));
    EXPECT_EQ(records[3].at("type"), JsonValue(std::wstring(L"reg")));
    EXPECT_EQ(records[3].at("location"), JsonValue(L"HKEY_CURRENT_USER\\" + std::wstring(kWordPadKey)));
    EXPECT_EQ(records[3].at("name"), JsonValue(odd));

    // In text the tab would split the record: it shows as U+FFFD, the line keeps five fields.
    ProcessResult text = cli.Run(L"scan 126");
    EXPECT_EQ(LastLine(text.output), WordPadLine(Utf8(L"tab\ufffdhere \"q\" back\\slash \u00e9")));

    ProcessResult items = cli.Run(L"items --json");
    std::vector<std::string> nodes = Lines(items.output);
    ASSERT_EQ(nodes.size(), 175u);
    EXPECT_EQ(nodes[0], R"({"id":102,"level":0,"parent":null,"icon":0,"text":"Windows Cache and History"})");
    for (const std::string& line : nodes) EXPECT_TRUE(ParseJsonObject(line)) << line;
}

}  // namespace
