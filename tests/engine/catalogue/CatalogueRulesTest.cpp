// Target lists of single items, and the folders read from other programs' registry values and
// INI files, which must never widen a target beyond the program's own folder.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "engine/Registry.h"
#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "framework/Strings.h"
#include "tests/engine/catalogue/WorldSupport.h"

namespace scw::test {
namespace {

using Lines = std::vector<std::wstring>;

class CatalogueRules : public ::testing::Test {
protected:
    PrivateRegistry registry_;
    TempFolder folder_{L"rules"};
    FixtureFolders dirs_{folder_.Path()};
    const Environment& env_ = dirs_.env;
    const std::wstring& root_ = dirs_.root;

    Lines Targets(UINT item) const { return TargetsOf(item, env_); }
    void Ini(const std::wstring& relative, const std::string& text) const {
        WriteFileText(dirs_.appData + relative, text);
    }
};

TEST_F(CatalogueRules, FirefoxItemsUseTheFirstProfileOnly) {
    Ini(L"\\Mozilla\\Firefox\\profiles.ini",
        "[Profile1]\r\nPath=Profiles/later.one\r\n[Profile0]\r\nIsRelative=1\r\nPath=Profiles/x1y2.default\r\n");
    const std::wstring profile = dirs_.appData + L"\\Mozilla\\Firefox\\Profiles\\x1y2.default\\";
    EXPECT_EQ(Targets(165), Lines{profile + L"|formhistory.sqlite|12"});
    EXPECT_EQ(Targets(166),
              Lines{dirs_.profile + L"\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles\\x1y2.default\\"
                                    L"Cache\\|*.*|10"});
    EXPECT_EQ(Targets(164), (Lines{profile + L"|places.sqlite|12", profile + L"|sessionstore.js|12",
                                   profile + L"|places.sqlite-journal|12"}));
}

TEST_F(CatalogueRules, MozillaItemsWithoutAUsableFirstProfileHaveNoTargets) {
    const struct {
        const wchar_t* folder;
        const char* ini;
        UINT items[2];
    } cases[] = {
        {L"\\Mozilla\\Firefox\\profiles.ini", "[Profile1]\r\nPath=Profiles/x1y2.default\r\n", {164, 169}},
        {L"\\Netscape\\Navigator\\profiles.ini", "[Profile0]\r\nPath=Profiles/\r\n", {143, 148}},
        {L"\\Thunderbird\\profiles.ini", "[Profile0]\r\nPath=Profiles/../..\r\n", {337, 343}},
        {L"\\Mozilla\\Firefox\\profiles.ini", "[Profile0]\r\nIsRelative=0\r\nPath=C:\\Profiles\\x\r\n", {164, 166}},
    };
    for (const auto& c : cases) {
        Ini(c.folder, c.ini);
        for (UINT item : c.items) EXPECT_EQ(Targets(item), Lines{}) << item << " " << c.ini;
    }
}

TEST_F(CatalogueRules, ItemsWithSeveralTargetsKeepTheOrderOfTheirRows) {
    const std::wstring real = dirs_.appData + L"\\Real\\RealPlayer\\";
    EXPECT_EQ(Targets(256), (Lines{real + L"|cookies.txt|12", real + L"|realplayer.ste|12",
                                   real + L"ErrorLogs\\|*.*|1", real + L"History\\|*.*|1"}));
    const std::wstring options = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\11.0\\OIS\\Options";
    EXPECT_EQ(Targets(225), (Lines{options + L"|LastTreeConfig|0", options + L"|LastTreeSelection|0",
                                   dirs_.profile + L"\\Local Settings\\Application Data\\Microsoft\\OIS\\|*.*|10"}));
}

TEST_F(CatalogueRules, FailedResolutionKeepsEarlierTargetsAndAddsNoMore) {
    OverrideEnvironment noProfile = dirs_.env;
    noProfile.SetKnownFolder(CSIDL_PROFILE, std::nullopt);
    EXPECT_EQ(TargetsOf(225, noProfile).size(), 2u);
    OverrideEnvironment noAppData = dirs_.env;
    noAppData.SetKnownFolder(CSIDL_APPDATA, std::nullopt);
    EXPECT_EQ(TargetsOf(354, noAppData), Lines{});
    EXPECT_EQ(TargetsOf(183, noAppData), Lines{});
}

TEST_F(CatalogueRules, MessengerGetsOneTargetPerAccountWithALogFolder) {
    EXPECT_EQ(Targets(205), Lines{});  // no accounts key at all
    const std::wstring accounts = L"Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\";
    SetRegString(HKEY_CURRENT_USER, accounts + L"1111", L"MessageLogPath", root_ + L"Logs");
    SetRegString(HKEY_CURRENT_USER, accounts + L"2222", L"DisplayName", L"no log folder");
    SetRegString(HKEY_CURRENT_USER, accounts + L"3333", L"MessageLogPath", L"C:\\");
    EXPECT_EQ(Targets(205), Lines{root_ + L"Logs\\|*.*|10"});
}

TEST_F(CatalogueRules, PocoMailPathsAbsoluteRelativeAndWithoutFinalBackslash) {
    const std::wstring poco = dirs_.appData + L"\\PocoMail\\";
    Ini(L"\\PocoMail\\poco.ini", "[Program]\r\nMailPath=D:\\Mail\\\r\n");
    EXPECT_EQ(Targets(357), Lines{L"D:\\Mail\\|Trash.mbx|12"});
    EXPECT_EQ(Targets(355), Lines{});  // no AttachPath
    Ini(L"\\PocoMail\\poco.ini", "[Program]\r\nMailPath=Mail\\\r\n[Mail]\r\nAttachPath=Attach\r\n");
    EXPECT_EQ(Targets(360), Lines{poco + L"Mail\\|Draft.mbx|12"});
    // Without the backslash the names would be glued to the folder: "AttachTrash.mbx".
    EXPECT_EQ(Targets(355), Lines{poco + L"Attach\\|*.*|10"});
    Ini(L"\\PocoMail\\poco.ini", "[Program]\r\nMailPath=D:\\Mail\r\n");
    EXPECT_EQ(Targets(358), Lines{L"D:\\Mail\\|Out.mbx|12"});
}

TEST_F(CatalogueRules, IncrediMailNeedsItsFolderAndAPlainIdentityName) {
    SetRegString(HKEY_CURRENT_USER, L"Software\\IncrediMail", L"ApplicationPath", root_ + L"IM");
    for (UINT item = 362; item <= 366; ++item) EXPECT_EQ(Targets(item), Lines{}) << item;  // no identity
    for (const wchar_t* identity : {L"..", L"a\\..\\..", L"\\", L"/", L"x/y", L"C:\\Windows", L""}) {
        SetRegDefault(HKEY_CURRENT_USER, L"Software\\IncrediMail\\Identities", identity);
        EXPECT_EQ(Targets(362), Lines{}) << identity;
        EXPECT_EQ(Targets(365), Lines{}) << identity;
    }
    SetRegDefault(HKEY_CURRENT_USER, L"Software\\IncrediMail\\Identities", L"{A1}");
    const std::wstring store = root_ + L"IM\\Identities\\{A1}\\Message Store\\";
    EXPECT_EQ(Targets(365), (Lines{store + L"|Sent Items.imm|12", store + L"|Sent Items.imh|12"}));
}

// Each program folder kept in the registry, set to values that would widen a walk.
TEST_F(CatalogueRules, StoredFoldersThatAreEmptyRelativeRootsOrTopFoldersGiveNoTargets) {
    const struct {
        HKEY root;
        const wchar_t* key;
        const wchar_t* value;
        UINT item;
    } places[] = {
        {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Yahoo\\Essentials", L"MainDir", 191},
        {HKEY_CURRENT_USER, L"Software\\BitComet", L"", 321},
        {HKEY_CURRENT_USER, L"Software\\BitComet", L"", 320},
        {HKEY_CURRENT_USER, L"Software\\Qualcomm\\Eudora\\LaunchManager", L"Path#1", 352},
        {HKEY_CURRENT_USER, L"Software\\IncrediMail", L"ApplicationPath", 362},
        {HKEY_CURRENT_USER, L"Software\\Google\\Google Desktop", L"data_dir", 374},
    };
    SetRegDefault(HKEY_CURRENT_USER, L"Software\\IncrediMail\\Identities", L"{A1}");
    const std::wstring bad[] = {L"", L"\\", L"data", L".\\data", L"C:\\", L"C:", L"C:data", L"\\\\server\\share\\",
                                root_ + L"GD\\..\\..", root_ + L"GD\\.", dirs_.appData, dirs_.profile + L"\\",
                                dirs_.windows, dirs_.documents, root_ + L"Program Files"};
    for (const auto& place : places) {
        for (const std::wstring& value : bad) {
            SetRegString(place.root, place.key, place.value, value);
            EXPECT_EQ(Targets(place.item), Lines{}) << place.item << " [" << WideToUtf8(value) << "]";
        }
        SetRegString(place.root, place.key, place.value, root_ + L"App\\");
        EXPECT_EQ(Targets(place.item).size(), place.item == 321 ? 2u : 1u) << place.item;
    }
    Ini(L"\\PocoMail\\poco.ini", "[Mail]\r\nAttachPath=C:\\\r\n[Program]\r\nMailPath=..\\..\\\r\n");
    EXPECT_EQ(Targets(355), Lines{});
    EXPECT_EQ(Targets(357), Lines{});
}

TEST_F(CatalogueRules, EmptyDataDirDeletesNothingOutsideTheProgram) {
    SetRegString(HKEY_CURRENT_USER, L"Software\\Google\\Google Desktop", L"data_dir", L"");
    WriteFileText(root_ + L"keep.txt");
    CMyObject node(nullptr, 374, LevelItem, 0, L"Index and data folder");
    CollectTargets(node, env_);
    RecordingRun run;
    ScanTargets(run, node, env_);
    DeleteTargets(run, node, env_);
    EXPECT_TRUE(run.found.empty());
    EXPECT_TRUE(run.deletions.empty());
    EXPECT_TRUE(FileExists(root_ + L"keep.txt"));
}

}  // namespace
}  // namespace scw::test
