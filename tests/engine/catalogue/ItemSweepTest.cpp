// Scan and delete of single items where what is previewed and what is deleted could part ways.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Sweep.h"
#include "engine/Targets.h"
#include "tests/engine/catalogue/WorldSupport.h"

namespace scw::test {
namespace {

class ItemSweep : public ::testing::Test {
protected:
    PrivateRegistry registry_;
    TempFolder folder_{L"items"};
    FixtureFolders dirs_{folder_.Path()};

    // Collects, scans and returns the listed names; deletes too when asked.
    std::vector<std::wstring> Sweep(UINT itemId, bool andDelete) {
        CMyObject node(nullptr, itemId, LevelItem, 0, L"item");
        CollectTargets(node, dirs_.env);
        RecordingRun run;
        ScanTargets(run, node, dirs_.env);
        if (andDelete) DeleteTargets(run, node, dirs_.env);
        std::vector<std::wstring> names;
        for (const Found& f : run.found) names.push_back(f.location + f.name);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ItemSweep, TorrentPatternListsExactlyTheFilesItsDeleteRemoves) {
    const std::wstring bt = dirs_.appData + L"\\BitTorrent\\";
    for (const wchar_t* name : {L"a.torrent", L"b.torrent", L"old\\c.torrent", L"a.torrent.part", L"torrent"})
        WriteFileText(bt + name);
    EXPECT_EQ(Sweep(285, true), (std::vector<std::wstring>{bt + L"a.torrent", bt + L"b.torrent"}));
    EXPECT_FALSE(FileExists(bt + L"a.torrent"));
    EXPECT_FALSE(FileExists(bt + L"b.torrent"));
    EXPECT_TRUE(FileExists(bt + L"old\\c.torrent"));
    EXPECT_TRUE(FileExists(bt + L"a.torrent.part"));
    EXPECT_TRUE(FileExists(bt + L"torrent"));
}

TEST_F(ItemSweep, ExactNameOfAnotherLetterCaseIsNeitherListedNorDeleted) {
    WriteFileText(dirs_.appData + L"\\Netscape\\Navigator\\profiles.ini", "[Profile0]\r\nPath=Profiles/n.default\r\n");
    const std::wstring ns = dirs_.appData + L"\\Netscape\\Navigator\\Profiles\\n.default\\";
    WriteFileText(ns + L"History.dat");
    WriteFileText(ns + L"sub\\history.dat");
    // Listed in a subfolder as well, deleted in the profile folder itself only.
    EXPECT_EQ(Sweep(144, true), std::vector<std::wstring>{ns + L"sub\\history.dat"});
    EXPECT_TRUE(FileExists(ns + L"History.dat"));
}

TEST_F(ItemSweep, BothHistoryItemsListTheSameFileOnceEach) {
    WriteFileText(dirs_.appData + L"\\Netscape\\Navigator\\profiles.ini", "[Profile0]\r\nPath=Profiles/n.default\r\n");
    const std::wstring ns = dirs_.appData + L"\\Netscape\\Navigator\\Profiles\\n.default\\";
    WriteFileText(ns + L"history.dat");
    EXPECT_EQ(Sweep(144, false), std::vector<std::wstring>{ns + L"history.dat"});
    EXPECT_EQ(Sweep(147, false), std::vector<std::wstring>{ns + L"history.dat"});
}

TEST_F(ItemSweep, IeSetupLogsAreTxtFilesInSubfoldersToo) {
    const std::wstring ie = dirs_.appData + L"\\Microsoft\\Internet Explorer\\";
    for (const wchar_t* name : {L"a.txt", L"Quick Launch\\b.txt", L"a.txt.bak", L"txt", L"C.TXT"})
        WriteFileText(ie + name);
    EXPECT_EQ(Sweep(138, true), (std::vector<std::wstring>{ie + L"Quick Launch\\b.txt", ie + L"a.txt"}));
    EXPECT_TRUE(FileExists(ie + L"a.txt.bak"));
    EXPECT_TRUE(FileExists(ie + L"txt"));
    EXPECT_TRUE(FileExists(ie + L"C.TXT"));
    EXPECT_FALSE(FileExists(ie + L"Quick Launch\\b.txt"));
}

TEST_F(ItemSweep, WholeKeyTargetsGoWithSubkeysWhileNamedValuesGoAlone) {
    const HKEY cu = HKEY_CURRENT_USER;
    const std::wstring office = L"Software\\Microsoft\\Office\\11.0\\";
    const std::wstring find = office + L"Common\\Open Find\\Microsoft Office Word\\Settings";
    SetRegString(cu, find + L"\\Save As", L"File Name MRU", L"a.doc");
    SetRegString(cu, office + L"Word\\Data", L"Settings", L"x");
    SetRegString(cu, office + L"Word\\Data", L"Toolbars", L"keep");
    SetRegString(cu, office + L"Visio\\Application", L"LastFile", L"a.vsd");
    SetRegString(cu, office + L"Visio\\Application\\Recent", L"File1", L"b.vsd");
    SetRegString(cu, office + L"Visio", L"InstallLanguage", L"keep");
    const std::wstring acrobat = L"Software\\Adobe\\Acrobat Reader\\9.0\\AVGeneral";
    SetRegString(cu, acrobat + L"\\cRecentFiles\\c1", L"tDIText", L"a.pdf");
    SetRegString(cu, acrobat, L"bExpandRHPInViewer", L"keep");

    EXPECT_EQ(Sweep(215, true).size(), 2u);
    EXPECT_FALSE(RegKeyExists(cu, find));
    EXPECT_FALSE(RegValueExists(cu, office + L"Word\\Data", L"Settings"));
    EXPECT_TRUE(RegValueExists(cu, office + L"Word\\Data", L"Toolbars"));

    EXPECT_EQ(Sweep(218, true).size(), 2u);
    EXPECT_FALSE(RegKeyExists(cu, office + L"Visio\\Application"));
    EXPECT_TRUE(RegValueExists(cu, office + L"Visio", L"InstallLanguage"));

    EXPECT_EQ(Sweep(370, true).size(), 1u);
    EXPECT_FALSE(RegKeyExists(cu, acrobat + L"\\cRecentFiles"));
    EXPECT_TRUE(RegValueExists(cu, acrobat, L"bExpandRHPInViewer"));
}

TEST_F(ItemSweep, TempEndingInABackslashIsStillEmptiedAndKept) {
    dirs_.env.SetVariable(L"TEMP", dirs_.temp + L"\\");
    WriteFileText(dirs_.temp + L"\\a.tmp");
    WriteFileText(dirs_.temp + L"\\sub\\b.tmp");
    WriteFileText(dirs_.profile + L"\\Local Settings\\sentinel.txt");
    EXPECT_EQ(Sweep(106, true), (std::vector<std::wstring>{dirs_.temp + L"\\a.tmp", dirs_.temp + L"\\sub\\b.tmp"}));
    EXPECT_FALSE(FileExists(dirs_.temp + L"\\a.tmp"));
    EXPECT_TRUE(FolderExists(dirs_.temp));
    EXPECT_TRUE(FileExists(dirs_.profile + L"\\Local Settings\\sentinel.txt"));
}

#ifdef _WIN64
// On 64-bit Windows a 32-bit program's machine keys lie in the registry's 32-bit view.
TEST_F(ItemSweep, ThirtyTwoBitProgramsMachineKeysAreFoundAndDeletedInTheirOwnView) {
    const HKEY lm = HKEY_LOCAL_MACHINE;
    const std::wstring wow = L"SOFTWARE\\Wow6432Node\\";
    const std::wstring movies = wow + L"Apple Computer, Inc.\\QuickTime\\Recent Movies";
    SetRegString(lm, movies, L"1", L"C:\\a.mov");
    SetRegString(lm, wow + L"Apple Computer, Inc.\\QuickTime", L"InstallDir", L"keep");
    EXPECT_EQ(Sweep(261, true), std::vector<std::wstring>{L"HKEY_LOCAL_MACHINE\\" + movies + L"1"});
    EXPECT_FALSE(RegKeyExists(lm, movies));
    EXPECT_TRUE(RegValueExists(lm, wow + L"Apple Computer, Inc.\\QuickTime", L"InstallDir"));

    const std::wstring yahoo = dirs_.root + L"Program Files\\Yahoo!";
    SetRegString(lm, wow + L"Yahoo\\Essentials", L"MainDir", yahoo);
    WriteFileText(yahoo + L"\\Messenger\\logs\\me.dat");
    WriteFileText(yahoo + L"\\Messenger\\sentinel.txt");
    EXPECT_EQ(Sweep(193, true), std::vector<std::wstring>{yahoo + L"\\Messenger\\logs\\me.dat"});
    EXPECT_FALSE(FileExists(yahoo + L"\\Messenger\\logs\\me.dat"));
    EXPECT_TRUE(FileExists(yahoo + L"\\Messenger\\sentinel.txt"));
}
#endif

// A program's stored log folder that names a parent of the user's folders, or reaches them
// through a link, must not let the delete loose on them.
TEST_F(ItemSweep, StoredFolderThatIsAParentOrAnAliasOfTheUsersFoldersDeletesNothing) {
    const std::wstring sentinels[] = {dirs_.localAppData + L"\\sentinel.txt", dirs_.cdBurn + L"\\sentinel.txt",
                                      dirs_.appData + L"\\sentinel.txt", dirs_.profile + L"\\sentinel.txt"};
    for (const auto& sentinel : sentinels) WriteFileText(sentinel);
    std::vector<std::wstring> values = {dirs_.profile + L"\\Local Settings", dirs_.localAppData + L"\\Microsoft"};
    if (MakeFolderLink(dirs_.root + L"alias", dirs_.profile))
        values.insert(values.end(), {dirs_.root + L"alias", dirs_.root + L"alias\\Local Settings"});
    const std::wstring account = L"Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\1111";
    for (const auto& value : values) {
        SetRegString(HKEY_CURRENT_USER, account, L"MessageLogPath", value);
        EXPECT_EQ(Sweep(205, true), std::vector<std::wstring>{}) << value;
    }
    for (const auto& sentinel : sentinels) EXPECT_TRUE(FileExists(sentinel)) << sentinel;
    RemoveFolderLink(dirs_.root + L"alias");
}

}  // namespace
}  // namespace scw::test
