#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "state/Settings.h"
#include "tests/common/TestSupport.h"

using scw::CIniFileRW;
using scw::SettingsValues;
using namespace scw::test;

namespace {

CIniFileRW FileAt(const std::wstring& path) { return CIniFileRW(CIniFileRW::ByPath{}, path); }

// The non-blank lines of the file, line endings dropped.
std::vector<std::string> Lines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileText(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

}  // namespace

TEST(SettingsFile, FirstStartWritesExactlyTheDefaultTableInOrder) {
    TempFolder folder;
    CIniFileRW file = FileAt(folder / L"setting.ini");
    ASSERT_TRUE(scw::EnsureDefaultSettings(file));
    std::vector<std::string> expected = {
        "[General Settings]", "Run at windows startup=0", "Automaticly update=0",
        "[Exit setting]",     "exit=0",                   "tray=1",
        "[Scan Schduler]",    "every=0",                  "day=0",
        "hour=9",             "minute=38",                "when=0",
        "[OneClickItem]",     "OneClickItems=10",         "item0=104",
        "item1=105",          "item2=106",                "item3=107",
        "item4=108",          "item5=109",                "item6=113",
        "item7=129",          "item8=130",                "item9=132",
        "[DefaultItem]",      "DefaultItems=12",          "item0=104",
        "item1=105",          "item2=106",                "item3=107",
        "item4=108",          "item5=109",                "item6=113",
        "item7=129",          "item8=130",                "item9=135",
        "item10=139",         "item11=141",               "[RecentItem]",
        "RecentItems=-1"};
    EXPECT_EQ(Lines(file.Path()), expected);

    SettingsValues v = scw::ReadSettings(file);
    EXPECT_EQ(v, (SettingsValues{0, 0, 0, 1, 0, 0, 9, 38, 0}));
    EXPECT_EQ(file.ReadInt(L"RecentItem", L"RecentItems"), -1);
}

TEST(SettingsFile, AnExistingFileIsNeverRewrittenOrCompleted) {
    TempFolder folder;
    std::wstring path = folder / L"setting.ini";
    const std::string original = "[Exit setting]\r\nexit=0\r\n";
    WriteFileText(path, original);
    CIniFileRW file = FileAt(path);
    EXPECT_TRUE(scw::EnsureDefaultSettings(file));
    EXPECT_EQ(ReadFileText(path), original);

    // Missing keys and sections read as 1; nothing is added on reading.
    SettingsValues v = scw::ReadSettings(file);
    EXPECT_EQ(v.exitOnClose, 0);
    EXPECT_EQ(v.trayOnClose, 1);
    EXPECT_EQ(v, (SettingsValues{1, 1, 0, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(ReadFileText(path), original);
}

TEST(SettingsFile, ValuesReadAsThePlatformReadsThem) {
    TempFolder folder;
    std::wstring path = folder / L"setting.ini";
    WriteFileText(path, "[Scan Schduler]\r\nhour=12abc\r\nminute=abc\r\nday=-1\r\nwhen=\r\n");
    CIniFileRW file = FileAt(path);
    EXPECT_EQ(file.ReadInt(L"Scan Schduler", L"hour"), 12);
    EXPECT_EQ(file.ReadInt(L"Scan Schduler", L"minute"), 0);
    EXPECT_EQ(file.ReadInt(L"Scan Schduler", L"day"), -1);
    // Section and key names are looked up without regard to case.
    EXPECT_EQ(file.ReadInt(L"scan schduler", L"HOUR"), 12);
    EXPECT_EQ(file.ReadInt(L"Scan Schduler", L"every"), 1);

    ASSERT_TRUE(file.WriteInt(L"Scan Schduler", L"minute", -7));
    EXPECT_EQ(file.ReadInt(L"Scan Schduler", L"minute"), -7);
    wchar_t buffer[16];
    ASSERT_TRUE(file.ReadString(L"Scan Schduler", L"minute", buffer, 16));
    EXPECT_STREQ(buffer, L"-7");
    EXPECT_FALSE(file.ReadString(L"Scan Schduler", L"absent", buffer, 16));
    EXPECT_STREQ(buffer, L"");
}

TEST(SettingsFile, AnUnwritableLocationLeavesEveryReadAtOne) {
    TempFolder folder;
    // A folder where the file should be: nothing can be written there and nothing is replaced.
    std::wstring path = folder / L"setting.ini";
    MakeFolders(path + L"\\");
    CIniFileRW blocked = FileAt(path);
    scw::EnsureDefaultSettings(blocked);
    EXPECT_TRUE(FolderExists(path));
    EXPECT_EQ(scw::ReadSettings(blocked), (SettingsValues{1, 1, 1, 1, 1, 1, 1, 1, 1}));

    CIniFileRW missingFolder = FileAt(folder / L"no such folder\\setting.ini");
    EXPECT_FALSE(scw::EnsureDefaultSettings(missingFolder));
    EXPECT_EQ(scw::ReadSettings(missingFolder).exitOnClose, 1);
}

TEST(SettingsFile, LivesBesideTheProgram) {
    EXPECT_EQ(scw::SettingsFile().Path(), TestBinFolder() + L"setting.ini");
}

TEST(SettingsFile, WrittenValuesReadBackAndTheCloseRuleIsWrittenOnlyWhenItChanges) {
    TempFolder folder;
    CIniFileRW file = FileAt(folder / L"setting.ini");
    scw::EnsureDefaultSettings(file);
    SettingsValues inUse = scw::ReadSettings(file);
    SettingsValues wanted{1, 1, 0, 1, 1, 3, 11, 59, 1};
    EXPECT_TRUE(scw::WriteSettings(file, wanted, inUse));
    EXPECT_EQ(inUse, wanted);
    EXPECT_EQ(scw::ReadSettings(file), wanted);

    // A close value edited beside the program that reads as the same choice stays as it is.
    file.WriteInt(scw::kSectionExit, scw::kKeyTray, 7);
    inUse.trayOnClose = 7;
    EXPECT_TRUE(scw::WriteSettings(file, wanted, inUse));
    EXPECT_EQ(file.ReadInt(scw::kSectionExit, scw::kKeyTray), 7);
}

TEST(SettingsFile, AValueTheFileDidNotTakeIsNotTheValueInUse) {
    TempFolder folder;
    CIniFileRW gone = FileAt(folder / L"no such folder\\setting.ini");
    SettingsValues inUse{0, 0, 0, 1, 0, 0, 9, 38, 0};
    const SettingsValues before = inUse;
    EXPECT_FALSE(scw::WriteSettings(gone, SettingsValues{1, 1, 1, 0, 1, 2, 3, 4, 1}, inUse));
    EXPECT_EQ(inUse, before);
}
