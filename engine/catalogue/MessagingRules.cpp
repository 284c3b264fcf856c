// Targets of "Instant Messaging" (items 183 to 205).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"
#include "engine/catalogue/StoredFolders.h"

namespace scw::rules {

RuleSpan MessagingRules() {
    static const TargetRule rows[] = {
        Folder(183, {Known(CSIDL_APPDATA), Text(L"\\ICQ\\")}, L"Messages.mdb", KindExactName),
        Folder(184, {Known(CSIDL_APPDATA), Text(L"\\ICQ\\")}, L"Application.mdb", KindExactName),
        Folder(191, {Resolved(YahooFolder), Text(L"\\Messenger\\cache\\")}, L"*.*", KindAllFiles),
        Folder(192, {Resolved(YahooFolder), Text(L"\\Messenger\\Profiles\\")}, L"*.*", KindAllFiles),
        Folder(193, {Resolved(YahooFolder), Text(L"\\Messenger\\logs\\")}, L"*.*", KindAllFiles),
        Code(205, AddMessengerAccounts),
    };
    return rows;
}

}  // namespace scw::rules
