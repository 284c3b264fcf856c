// Targets of "File Sharing" (items 278 to 322).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"
#include "engine/catalogue/StoredFolders.h"

namespace scw::rules {

namespace {
std::array<PathPart, 5> AppData(const wchar_t* below, const wchar_t* further = L"") {
    return {Known(CSIDL_APPDATA), Text(below), Text(further)};
}
std::array<PathPart, 5> Downloads() { return {Known(CSIDL_PERSONAL), Text(L"\\Downloads\\")}; }
std::array<PathPart, 5> BitComet(const wchar_t* below) { return {Resolved(BitCometFolder), Text(below)}; }
}  // namespace

RuleSpan FileSharingRules() {
    static const TargetRule rows[] = {
        Folder(278, AppData(L"\\Azureus\\torrents\\"), L"*.*", KindUnlisted),
        Folder(279, AppData(L"\\Azureus\\"), L"downloads.config", KindExactName),
        Folder(279, AppData(L"\\Azureus\\"), L"downloads.config.bak", KindExactName),
        Folder(279, AppData(L"\\Azureus\\"), L"tracker.config", KindExactName),
        Folder(279, AppData(L"\\Azureus\\"), L"tracker.config.bak", KindExactName),
        Folder(279, AppData(L"\\Azureus\\", L"dht\\"), L"*.*", KindUnlisted),
        // 280 has no targets.
        Folder(281, AppData(L"\\Azureus\\logs\\"), L"*.*", KindUnlisted),
        Folder(283, Downloads(), L"*.*", KindUnlisted),
        Folder(285, AppData(L"\\BitTorrent\\"), L"dht.dat", KindExactName),
        Folder(285, AppData(L"\\BitTorrent\\"), L"dht.dat.old", KindExactName),
        Folder(285, AppData(L"\\BitTorrent\\"), L"resume.dat.old", KindExactName),
        Folder(285, AppData(L"\\BitTorrent\\"), L"resume.dat", KindExactName),
        Folder(285, AppData(L"\\BitTorrent\\"), L"*.torrent", KindExactName),
        Folder(288, AppData(L"\\uTorrent\\"), L"dht.dat", KindExactName),
        Folder(288, AppData(L"\\uTorrent\\"), L"dht.dat.old", KindExactName),
        Folder(288, AppData(L"\\uTorrent\\"), L"resume.dat.old", KindExactName),
        Folder(288, AppData(L"\\uTorrent\\"), L"resume.dat", KindExactName),
        Folder(288, AppData(L"\\uTorrent\\"), L"*.torrent", KindExactName),
        Folder(289, Downloads(), L"*.*", KindUnlisted),
        Folder(306, AppData(L"\\LimeWire\\"), L"limewire.props", KindExactName),
        Folder(306, AppData(L"\\LimeWire\\"), L"installation.props", KindExactName),
        // 307 has no targets.
        Folder(308, AppData(L"\\LimeWire\\"), L"fileurns.cache", KindExactName),
        Folder(308, AppData(L"\\LimeWire\\"), L"fileurns.bak", KindExactName),
        Folder(320, BitComet(L"\\"), L"BitComet.xml", KindExactName),
        Folder(321, BitComet(L"\\torrents\\"), L"*.*", KindAllFiles),
        Folder(321, BitComet(L"\\torrents\\"), L"signons.txt", KindExactName),
        Folder(322, BitComet(L"\\"), L"Downloads.xml", KindExactName),
    };
    return rows;
}

}  // namespace scw::rules
