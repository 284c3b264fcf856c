// Targets of "Mail" (items 337 to 366).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"
#include "engine/catalogue/StoredFolders.h"

namespace scw::rules {

namespace {
std::array<PathPart, 5> Thunderbird(const wchar_t* below = L"") {
    return {Known(CSIDL_APPDATA), Text(L"\\Thunderbird\\Profiles\\"), MozProfile(L"\\Thunderbird\\"), Text(below)};
}
std::array<PathPart, 5> Eudora(const wchar_t* below = L"") {
    return {Known(CSIDL_APPDATA), Text(L"\\Qualcomm\\Eudora\\"), Text(below)};
}
std::array<PathPart, 5> PocoMailApp(const wchar_t* below) {
    return {Known(CSIDL_APPDATA), Text(L"\\PocoMail\\"), Text(below)};
}
std::array<PathPart, 5> PocoMail() { return {Resolved(PocoMailFolder)}; }
std::array<PathPart, 5> MessageStore() { return {Resolved(IncrediMailIdentityFolder), Text(L"\\Message Store\\")}; }
}  // namespace

RuleSpan MailRules() {
    static const TargetRule rows[] = {
        Folder(337, Thunderbird(), L"signons.txt", KindExactName),
        Folder(338, Thunderbird(), L"key3.db", KindExactName),
        Folder(339, Thunderbird(L"Mail\\"), L"Sent.msf", KindExactName),
        Folder(340, Thunderbird(L"Mail\\"), L"Trash.msf", KindExactName),
        Folder(341, Thunderbird(L"Mail\\"), L"Drafts.msf", KindExactName),
        Folder(342, Thunderbird(L"Mail\\"), L"Unsent Messages.msf", KindExactName),
        Folder(343, Thunderbird(L"Mail\\"), L"Inbox.msf", KindExactName),

        Folder(345, Eudora(), L"Trash.mbx", KindExactName),
        Folder(345, Eudora(), L"Trash.toc", KindExactName),
        Folder(346, Eudora(), L"Out.mbx", KindExactName),
        Folder(346, Eudora(), L"Out.toc", KindExactName),
        Folder(347, Eudora(), L"History.lst", KindExactName),
        Folder(348, Eudora(L"EudPriv\\Ads\\AdCache\\"), L"*.*", KindAllFiles),
        Folder(350, Eudora(), L"NNdbase.toc", KindExactName),
        Folder(350, Eudora(), L"NNdbase.txt", KindExactName),
        Folder(351, Eudora(), L"eudora.log", KindExactName),
        Folder(352, {Resolved(EudoraFolder), Text(L"\\")}, L"*.*", KindAllFiles),

        Folder(354, PocoMailApp(L"Cache\\"), L"*.*", KindAllFiles),
        Folder(355, {Resolved(PocoAttachFolder)}, L"*.*", KindAllFiles),
        Folder(356, PocoMailApp(L""), L"history.txt", KindExactName),
        Folder(357, PocoMail(), L"Trash.mbx", KindExactName),
        Folder(358, PocoMail(), L"Out.mbx", KindExactName),
        Folder(359, PocoMail(), L"Sent.mbx", KindExactName),
        Folder(360, PocoMail(), L"Draft.mbx", KindExactName),

        Folder(362, {Resolved(IncrediMailIdentityFolder), Text(L"\\AddressBook\\")}, L"*.*", KindAllFiles),
        Folder(363, MessageStore(), L"Deleted Items.imm", KindExactName),
        Folder(363, MessageStore(), L"Deleted Items.imh", KindExactName),
        Folder(364, MessageStore(), L"Outbox.imm", KindExactName),
        Folder(364, MessageStore(), L"Outbox.imh", KindExactName),
        Folder(365, MessageStore(), L"Sent Items.imm", KindExactName),
        Folder(365, MessageStore(), L"Sent Items.imh", KindExactName),
        Folder(366, MessageStore(), L"Drafts.imm", KindExactName),
        Folder(366, MessageStore(), L"Drafts.imh", KindExactName),
    };
    return rows;
}

}  // namespace scw::rules
