// Targets of "Third-Party Applications" (items 370 to 374).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"
#include "engine/catalogue/StoredFolders.h"

namespace scw::rules {

RuleSpan ThirdPartyRules() {
    static const TargetRule rows[] = {
        Reg(370, HKEY_CURRENT_USER, L"Software\\Adobe\\Acrobat Reader\\9.0\\AVGeneral\\cRecentFiles", L"*.*",
            KindPlain),
        Folder(372, {Known(CSIDL_APPDATA), Text(L"\\Macromedia\\Flash Player\\")}, L"*.*", KindAllFiles),
        Folder(374, {Resolved(GoogleDesktopFolder), Text(L"\\")}, L"*.*", KindAllFiles),
    };
    return rows;
}

}  // namespace scw::rules
