#include "tests/engine/catalogue/TraceWorld.h"

#include <algorithm>

#include "engine/Registry.h"
#include "framework/Strings.h"

namespace scw::test {

namespace {
#define HKCU HKEY_CURRENT_USER
#define HKLM HKEY_LOCAL_MACHINE
const std::wstring kExplorer = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::wstring kApplets = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\";
const std::wstring kIe = L"Software\\Microsoft\\Internet Explorer";
const std::wstring kOffice = L"Software\\Microsoft\\Office\\11.0\\";
const std::wstring kOpenFind = kOffice + L"Common\\Open Find\\Microsoft Office ";
const std::wstring kFrontPage = L"Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\";
const std::wstring kAcdSee = L"Software\\ACD Systems\\ACDSee\\50";
const std::wstring kAcrobat = L"Software\\Adobe\\Acrobat Reader\\9.0\\AVGeneral";
}  // namespace

TraceWorld::TraceWorld() {
    PlantWindows();
    PlantBrowsers();
    PlantMessaging();
    PlantOffice();
    PlantMedia();
    PlantFileSharing();
    PlantMail();
    PlantThirdParty();
}

void TraceWorld::File(UINT item, const std::wstring& folder, const std::wstring& name, bool listed) {
    WriteFileText(folder + name, "trace");
    files_.push_back(folder + name);
    if (listed) expected_.push_back({item, name, folder, false});
}

void TraceWorld::Val(UINT item, HKEY root, const std::wstring& key, const std::wstring& name) {
    SetRegString(root, key, name, L"trace");
    values_.push_back({root, key, name});
    expected_.push_back({item, name, RootPrefix(root) + key, true});
}

void TraceWorld::KeepFile(const std::wstring& path) {
    WriteFileText(path, "keep");
    keptFiles_.push_back(path);
}

void TraceWorld::KeepVal(HKEY root, const std::wstring& key, const std::wstring& name) {
    SetRegString(root, key, name, L"keep");
    keptValues_.push_back({root, key, name});
}

void TraceWorld::KeepStored(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    SetRegString(root, key, name, value);
    keptValues_.push_back({root, key, name});
}

void TraceWorld::WriteIni(const std::wstring& path, const std::string& text) {
    WriteFileText(path, text);
    keptFiles_.push_back(path);
}

void TraceWorld::PlantWindows() {
    const FixtureFolders& d = dirs_;
    Val(104, HKCU, kExplorer + L"\\RecentDocs", L"MRUListEx");
    Val(104, HKCU, kExplorer + L"\\RecentDocs\\.txt", L"0");
    File(104, d.recent + L"\\", L"letter.lnk");
    KeepVal(HKCU, kExplorer + L"\\RecentDocsOld", L"MRUListEx");
    Val(105, HKCU, L"Software\\Microsoft\\Search Assistant\\ACMru\\5603", L"000");
    File(106, d.temp + L"\\", L"~setup.tmp");
    File(106, d.temp + L"\\unpack\\", L"data.cab");
    File(107, d.drive + L"RECYCLER\\", L"Dc1.txt");
    File(107, d.drive + L"Recycled\\", L"Dc2.txt");
    KeepFile(d.cdDrive + L"RECYCLER\\Dc3.txt");
    Val(108, HKCU, kExplorer + L"\\UserAssist\\{75048700}\\Count", L"HRZR_EHACNGU");
    Val(109, HKCU, kExplorer + L"\\MenuOrder\\Start Menu", L"Order");
    Val(109, HKCU, kExplorer + L"\\MenuOrder\\Start Menu2\\Programs", L"Order");
    File(110, d.windows + L"\\", L"setupapi.log");
    File(110, d.windows + L"\\", L"DirectX.log");
    KeepFile(d.windows + L"\\inf\\setupapi.log");
    KeepFile(d.windows + L"\\win.ini");
    SetRegMultiString(HKLM, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
                      L"PagingFiles", d.drive + L"pagefile.sys 0 0");
    File(111, d.drive, L"pagefile.sys");
    File(112, d.windows + L"\\temp\\", L"install.tmp", false);
    Val(113, HKCU, kExplorer + L"\\RunMRU", L"a");
    File(116, d.profile + L"\\UserData\\", L"index.dat", false);
    File(118, d.cdBurn + L"\\", L"disc.iso", false);
    Val(119, HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"DefaultUserName");
    Val(119, HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"AltDefaultUserName");
    Val(119, HKCU, kExplorer, L"Logon User Name");
    KeepVal(HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", L"Shell");
    KeepVal(HKCU, kExplorer, L"ShellState");
    File(120, d.windows + L"\\Debug\\UserMode\\", L"userenv.log", false);
    Val(121, HKCU, kExplorer + L"\\ComDlg32\\OpenSaveMRU\\*", L"a");
    Val(122, HKCU, kApplets + L"Paint\\Recent File List", L"File1");
    Val(123, HKCU, kExplorer + L"\\Map Network Drive MRU", L"a");
    Val(125, HKCU, kApplets + L"Regedit", L"lastkey");
    KeepVal(HKCU, kApplets + L"Regedit", L"View");
    Val(126, HKCU, kApplets + L"Wordpad\\Recent File List", L"File1");
}

void TraceWorld::PlantBrowsers() {
    const FixtureFolders& d = dirs_;
    File(129, d.internetCache + L"\\", L"page.htm");
    File(129, d.internetCache + L"\\Content.IE5\\X1Y2\\", L"logo[1].gif");
    File(130, d.history + L"\\History.IE5\\", L"index.dat");
    File(131, d.favorites + L"\\", L"Site.url");
    File(132, d.cookies + L"\\", L"user@site[1].txt");
    Val(133, HKCU, kIe + L"\\Main", L"Start Page");
    KeepVal(HKCU, kIe + L"\\Main", L"Search Page");
    Val(136, HKCU, kIe, L"Download Directory");
    KeepVal(HKCU, kIe, L"Download Directory2");
    Val(137, HKCU, kIe + L"\\Main", L"Save Directory");
    const std::wstring ie = d.appData + L"\\Microsoft\\Internet Explorer\\";
    File(138, ie, L"brndlog.txt");
    File(138, ie + L"Quick Launch\\", L"notes.txt");
    KeepFile(ie + L"brndlog.txt.bak");
    KeepFile(ie + L"txt");
    KeepFile(ie + L"UPPER.TXT");
    Val(139, HKCU, kIe + L"\\IntelliForms\\SPW", L"A1B2");
    Val(141, HKCU, kIe + L"\\TypedURLs", L"url1");
    KeepVal(HKCU, kIe + L"\\TypedURLsTime", L"url1");
    wholeKeys_.push_back({HKCU, kIe + L"\\TypedURLs", L""});

    WriteIni(d.appData + L"\\Netscape\\Navigator\\profiles.ini",
             "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile1]\r\nName=work\r\nPath=Profiles/ns2.default\r\n\r\n"
             "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/ns1.default\r\n");
    const std::wstring ns = d.appData + L"\\Netscape\\Navigator\\Profiles\\ns1.default\\";
    File(143, d.profile + L"\\Local Settings\\Application Data\\Netscape\\Navigator\\Profiles\\ns1.default\\Cache\\",
         L"_CACHE_001_");
    File(144, ns, L"history.dat");
    File(147, ns, L"history.dat");
    File(145, ns, L"formhistory.dat");
    File(146, ns, L"cookies.txt");
    File(146, ns, L"webappsstore.sqlite");
    File(147, ns, L"localstore.rdf");
    File(148, ns, L"bookmarks.bak");
    File(148, ns, L"bookmarks.html");
    File(148, ns + L"bookmarkbackups\\", L"bookmarks-2009-01-01.json");
    File(149, ns, L"linkpad.sqlite");
    File(150, ns, L"key3.db");
    KeepFile(ns + L"history.dat.bak");
    KeepFile(ns + L"prefs.js");
    KeepFile(d.appData + L"\\Netscape\\Navigator\\Profiles\\ns2.default\\history.dat");

    const std::wstring op = d.appData + L"\\Opera\\Opera\\profile\\";
    File(158, op + L"sessions\\", L"autosave.win");
    File(159, op, L"global.dat");
    File(159, op, L"vlink4.dat");
    File(160, op, L"cookies4.dat");
    File(162, op, L"download.dat");
    KeepFile(op + L"opera6.ini");
    KeepFile(op + L"sessions\\autosave.win.bak");

    WriteIni(d.appData + L"\\Mozilla\\Firefox\\profiles.ini",
             "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/x1y2.default\r\n\r\n"
             "[Profile1]\r\nName=other\r\nIsRelative=1\r\nPath=Profiles/z9.other\r\n");
    const std::wstring ff = d.appData + L"\\Mozilla\\Firefox\\Profiles\\x1y2.default\\";
    File(164, ff, L"places.sqlite");
    File(164, ff, L"sessionstore.js");
    File(164, ff, L"places.sqlite-journal");
    File(165, ff, L"formhistory.sqlite");
    File(166, d.profile + L"\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles\\x1y2.default\\Cache\\",
         L"5A3F1C00d01");
    File(167, ff, L"downloads.sqlite");
    File(168, ff, L"cookies.sqlite");
    File(168, ff, L"webappsstore.sqlite");
    File(169, ff, L"key3.db");
    File(169, ff, L"signons3.txt");
    KeepFile(ff + L"prefs.js");
    KeepFile(ff + L"places.sqlite.corrupt");
    KeepFile(d.appData + L"\\Mozilla\\Firefox\\Profiles\\z9.other\\places.sqlite");
    KeepFile(d.profile + L"\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles\\z9.other\\Cache\\A1");
}

void TraceWorld::PlantMessaging() {
    const FixtureFolders& d = dirs_;
    File(183, d.appData + L"\\ICQ\\", L"Messages.mdb");
    File(184, d.appData + L"\\ICQ\\", L"Application.mdb");
    KeepFile(d.appData + L"\\ICQ\\Messages.ldb");

    const std::wstring yahoo = d.root + L"Program Files\\Yahoo!";
    KeepStored(HKLM, L"SOFTWARE\\Yahoo\\Essentials", L"MainDir", yahoo);
    File(191, yahoo + L"\\Messenger\\cache\\", L"avatar.jpg");
    File(192, yahoo + L"\\Messenger\\Profiles\\me\\Archive\\Messages\\friend\\", L"20090101-me.dat");
    File(193, yahoo + L"\\Messenger\\logs\\", L"ymsgr.log");
    KeepFile(yahoo + L"\\Messenger\\YahooMessenger.exe");

    const std::wstring accounts = L"Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\";
    KeepStored(HKCU, accounts + L"1111", L"MessageLogPath", d.root + L"Messenger Logs\\alice");
    KeepStored(HKCU, accounts + L"2222", L"DisplayName", L"carol");
    File(205, d.root + L"Messenger Logs\\alice\\", L"bob1234.xml");
    File(205, d.root + L"Messenger Logs\\alice\\Received Files\\", L"photo.jpg");
    KeepFile(d.root + L"Messenger Logs\\carol\\dave.xml");
}

void TraceWorld::PlantOffice() {
    const FixtureFolders& d = dirs_;
    File(210, d.appData + L"\\Microsoft\\office\\Recent\\", L"report.doc.LNK");
    Val(211, HKCU, kOffice + L"Common\\Internet\\Server Cache\\site1", L"Type");
    Val(213, HKCU, kFrontPage + L"Recent File List", L"File1");
    Val(213, HKCU, kFrontPage + L"Recent Page List", L"Page1");
    Val(213, HKCU, kFrontPage + L"Recent Web List", L"Web1");
    Val(213, HKCU, kFrontPage + L"Recently Created Servers", L"Server1");
    Val(213, HKCU, kFrontPage + L"Settings", L"LastWebOpen");
    KeepVal(HKCU, kFrontPage + L"Settings", L"SpellCheck");
    Val(213, HKCU, L"Software\\Microsoft\\FrontPage\\Editor\\Recent Templates", L"Template1");
    Val(215, HKCU, kOpenFind + L"Word\\Settings", L"Last Folder");
    Val(215, HKCU, kOffice + L"Word\\Data", L"Settings");
    KeepVal(HKCU, kOffice + L"Word\\Data", L"Toolbars");
    Val(216, HKCU, kOpenFind + L"Access\\Settings", L"Last Folder");
    Val(216, HKCU, kOffice + L"Access\\Settings", L"MRU1");
    Val(217, HKCU, kOpenFind + L"Excel\\Settings", L"Last Folder");
    Val(217, HKCU, kOffice + L"Excel\\Recent Files", L"File1");
    Val(218, HKCU, kOffice + L"Visio\\Application", L"LastFile");
    Val(218, HKCU, kOffice + L"Visio\\Application\\Recent", L"File1");
    KeepVal(HKCU, kOffice + L"Visio", L"InstallLanguage");
    wholeKeys_.push_back({HKCU, kOffice + L"Visio\\Application", L""});
    Val(219, HKCU, kOffice + L"PowerPoint\\Recent File List", L"File1");
    Val(220, HKCU, kOpenFind + L"Publisher\\Settings", L"Last Folder");
    Val(220, HKCU, kOffice + L"Publisher\\Recent File List", L"File1");
    Val(221, HKCU, kOpenFind + L"FrontPage\\Settings", L"Last Folder");
    Val(222, HKCU, kOffice + L"MS Project\\Recent File List", L"File1");
    Val(223, HKCU, kOpenFind + L"InfoPath\\Settings", L"Last Folder");
    Val(223, HKCU, kOffice + L"InfoPath\\Recent File List", L"File1");
    Val(224, HKCU, kOffice + L"Clip Organizer\\Search\\Last Query", L"Query");
    Val(225, HKCU, kOffice + L"OIS\\Options", L"LastTreeConfig");
    Val(225, HKCU, kOffice + L"OIS\\Options", L"LastTreeSelection");
    KeepVal(HKCU, kOffice + L"OIS\\Options", L"ZoomLevel");
    File(225, d.profile + L"\\Local Settings\\Application Data\\Microsoft\\OIS\\", L"OIS.db");
    Val(226, HKCU, L"Software\\Microsoft\\Snapshot Viewer\\Recent File List", L"File1");
    Val(227, HKCU, L"Software\\Microsoft\\OfficeProfileWizard\\11.0\\RecentFileList", L"File1");
}

void TraceWorld::PlantMedia() {
    const FixtureFolders& d = dirs_;
    Val(246, HKCU, L"Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", L"File0");
    Val(247, HKCU, L"Software\\Microsoft\\MediaPlayer\\Player\\RecentURLList", L"URL0");
    KeepVal(HKCU, L"Software\\Microsoft\\MediaPlayer\\Player", L"Volume");
    const std::wstring wmp = d.localAppData + L"\\Microsoft\\Media Player\\";
    File(369, wmp, L"CurrentDatabase_59R.wmdb");
    File(369, wmp + L"Art Cache\\", L"LocalMLS.wmdb");
    KeepFile(wmp + L"wmplibrary.wmdb.bak");
    KeepFile(wmp + L"Transcoded Files Cache\\clip.wma");
    File(251, d.profile + L"\\Application Data\\Winamp\\", L"winamp.bm");
    KeepFile(d.profile + L"\\Application Data\\Winamp\\winamp.ini");
    File(252, d.profile + L"\\Application Data\\Winamp\\Plugins\\ml\\", L"main.dat");
    const std::wstring real = d.appData + L"\\Real\\RealPlayer\\";
    File(256, real, L"cookies.txt");
    File(256, real, L"realplayer.ste");
    File(256, real + L"ErrorLogs\\", L"crash.log", false);
    File(256, real + L"History\\", L"visited.dat", false);
    KeepFile(real + L"prefs.txt");
    Val(258, HKCU, L"Software\\DivXNetworks\\DivX Player\\RecentFiles", L"File1");
    Val(261, HKLM, L"SOFTWARE\\Apple Computer, Inc.\\QuickTime\\Recent Movies", L"1");
    KeepVal(HKLM, L"SOFTWARE\\Apple Computer, Inc.\\QuickTime", L"InstallDir");
    File(263, d.appData + L"\\Apple Computer\\QuickTime\\", L"favorites.xml");
    File(265, d.appData + L"\\ACD Systems\\ImageDB\\", L"ImageDB.dat", false);
    Val(267, HKCU, kAcdSee, L"HistPaths");
    Val(270, HKCU, kAcdSee, L"HistPaths");
    Val(268, HKCU, kAcdSee, L"HistMCFDestFolder");
    Val(270, HKCU, kAcdSee, L"HistMCFDestFolder");
    Val(269, HKCU, kAcdSee, L"OpenFolder");
    KeepVal(HKCU, kAcdSee, L"WindowPos");
}

void TraceWorld::PlantFileSharing() {
    const FixtureFolders& d = dirs_;
    const std::wstring az = d.appData + L"\\Azureus\\";
    File(278, az + L"torrents\\", L"film.torrent", false);
    File(279, az, L"downloads.config");
    File(279, az, L"downloads.config.bak");
    File(279, az, L"tracker.config");
    File(279, az, L"tracker.config.bak");
    File(279, az + L"dht\\", L"contacts.dat", false);
    File(281, az + L"logs\\", L"debug_1.log", false);
    KeepFile(az + L"azureus.config");
    File(283, d.documents + L"\\Downloads\\", L"film.avi", false);
    File(289, d.documents + L"\\Downloads\\", L"song.mp3", false);
    KeepFile(d.documents + L"\\letter.doc");
    for (auto [item, client] : {std::pair<UINT, const wchar_t*>{285, L"BitTorrent"}, {288, L"uTorrent"}}) {
        const std::wstring folder = d.appData + L"\\" + client + L"\\";
        for (const wchar_t* name : {L"dht.dat", L"dht.dat.old", L"resume.dat.old", L"resume.dat", L"film.torrent"})
            File(item, folder, name);
        File(item, folder, L"song.torrent");
        // The pattern names files in its own folder only.
        KeepFile(folder + L"old\\other.torrent");
        KeepFile(folder + L"settings.dat");
    }
    const std::wstring lime = d.appData + L"\\LimeWire\\";
    File(306, lime, L"limewire.props");
    File(306, lime, L"installation.props");
    File(308, lime, L"fileurns.cache");
    File(308, lime, L"fileurns.bak");
    KeepFile(lime + L"library.props");

    const std::wstring comet = d.root + L"Program Files\\BitComet\\";
    KeepStored(HKCU, L"Software\\BitComet", L"", comet);  // stored with its final backslash
    File(320, comet, L"BitComet.xml");
    File(321, comet + L"torrents\\", L"film.torrent");
    File(321, comet + L"torrents\\", L"signons.txt");
    expected_.push_back({321, L"signons.txt", comet + L"torrents\\", false});  // listed by both targets
    File(322, comet, L"Downloads.xml");
    KeepFile(comet + L"BitComet.exe");
}

void TraceWorld::PlantMail() {
    const FixtureFolders& d = dirs_;
    WriteIni(d.appData + L"\\Thunderbird\\profiles.ini",
             "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/tb1.default\r\n\r\n"
             "[Profile1]\r\nName=news\r\nIsRelative=1\r\nPath=Profiles/tb2.news\r\n");
    const std::wstring tb = d.appData + L"\\Thunderbird\\Profiles\\tb1.default\\";
    File(337, tb, L"signons.txt");
    File(338, tb, L"key3.db");
    File(339, tb + L"Mail\\", L"Sent.msf");
    File(340, tb + L"Mail\\", L"Trash.msf");
    File(341, tb + L"Mail\\", L"Drafts.msf");
    File(342, tb + L"Mail\\", L"Unsent Messages.msf");
    File(343, tb + L"Mail\\", L"Inbox.msf");
    KeepFile(tb + L"prefs.js");
    KeepFile(tb + L"Mail\\Inbox");
    KeepFile(d.appData + L"\\Thunderbird\\Profiles\\tb2.news\\key3.db");

    const std::wstring eu = d.appData + L"\\Qualcomm\\Eudora\\";
    File(345, eu, L"Trash.mbx");
    File(345, eu, L"Trash.toc");
    File(346, eu, L"Out.mbx");
    File(346, eu, L"Out.toc");
    File(347, eu, L"History.lst");
    File(348, eu + L"EudPriv\\Ads\\AdCache\\", L"ad1.gif");
    File(350, eu, L"NNdbase.toc");
    File(350, eu, L"NNdbase.txt");
    File(351, eu, L"eudora.log");
    KeepFile(eu + L"In.mbx");
    KeepVal(HKCU, L"Software\\Qualcomm\\Eudora\\LaunchManager", L"Path#2");
    KeepStored(HKCU, L"Software\\Qualcomm\\Eudora\\LaunchManager", L"Path#1", d.root + L"Eudora Attach");
    KeepVal(HKCU, L"Software\\Qualcomm\\Eudora\\LaunchManager", L"Path#1x");
    File(352, d.root + L"Eudora Attach\\", L"photo.jpg");

    const std::wstring poco = d.appData + L"\\PocoMail\\";
    WriteIni(poco + L"poco.ini", "[Mail]\r\nAttachPath=" + WideToAnsi(d.root + L"Poco Attach\\") +
                                     "\r\n\r\n[Program]\r\nMailPath=Mail\\\r\n");
    File(354, poco + L"Cache\\", L"c1.dat");
    File(355, d.root + L"Poco Attach\\", L"invoice.pdf");
    File(356, poco, L"history.txt");
    File(357, poco + L"Mail\\", L"Trash.mbx");
    File(358, poco + L"Mail\\", L"Out.mbx");
    File(359, poco + L"Mail\\", L"Sent.mbx");
    File(360, poco + L"Mail\\", L"Draft.mbx");
    KeepFile(poco + L"Mail\\In.mbx");

    const std::wstring incredi = d.root + L"IncrediMail";
    KeepStored(HKCU, L"Software\\IncrediMail", L"ApplicationPath", incredi);
    KeepStored(HKCU, L"Software\\IncrediMail\\Identities", L"", L"{A1}");
    const std::wstring store = incredi + L"\\Identities\\{A1}\\Message Store\\";
    File(362, incredi + L"\\Identities\\{A1}\\AddressBook\\", L"AddressBook.imb");
    File(363, store, L"Deleted Items.imm");
    File(363, store, L"Deleted Items.imh");
    File(364, store, L"Outbox.imm");
    File(364, store, L"Outbox.imh");
    File(365, store, L"Sent Items.imm");
    File(365, store, L"Sent Items.imh");
    File(366, store, L"Drafts.imm");
    File(366, store, L"Drafts.imh");
    KeepFile(store + L"Inbox.imm");
    KeepFile(incredi + L"\\Identities\\{B2}\\Message Store\\Outbox.imm");
}

void TraceWorld::PlantThirdParty() {
    const FixtureFolders& d = dirs_;
    Val(370, HKCU, kAcrobat + L"\\cRecentFiles\\c1", L"tDIText");
    KeepVal(HKCU, kAcrobat, L"bExpandRHPInViewer");
    wholeKeys_.push_back({HKCU, kAcrobat + L"\\cRecentFiles", L""});
    File(372, d.appData + L"\\Macromedia\\Flash Player\\#SharedObjects\\X1\\", L"settings.sol");
    KeepStored(HKCU, L"Software\\Google\\Google Desktop", L"data_dir", d.root + L"GoogleDesktop\\data");
    File(374, d.root + L"GoogleDesktop\\data\\", L"index.cf");
    KeepFile(d.root + L"GoogleDesktop\\GoogleDesktop.exe");
}

std::vector<Found> TraceWorld::Expected() const {
    std::vector<Found> sorted = expected_;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

std::vector<std::wstring> TraceWorld::TracesLeft() const {
    std::vector<std::wstring> left;
    for (const std::wstring& path : files_)
        if (FileExists(path)) left.push_back(path);
    for (const Value& v : values_)
        if (RegValueExists(v.root, v.key, v.name)) left.push_back(RootPrefix(v.root) + v.key + L" | " + v.name);
    for (const Value& v : wholeKeys_)
        if (RegKeyExists(v.root, v.key)) left.push_back(RootPrefix(v.root) + v.key);
    return left;
}

std::vector<std::wstring> TraceWorld::SentinelsLost() const {
    std::vector<std::wstring> lost;
    for (const std::wstring& path : keptFiles_)
        if (!FileExists(path)) lost.push_back(path);
    for (const Value& v : keptValues_)
        if (!RegValueExists(v.root, v.key, v.name)) lost.push_back(RootPrefix(v.root) + v.key + L" | " + v.name);
    return lost;
}

}  // namespace scw::test
