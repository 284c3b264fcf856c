// Targets of "MS Office" (items 210 to 227).
#include <shlobj.h>

#include "engine/catalogue/RuleTable.h"

namespace scw::rules {

namespace {
#define HKCU HKEY_CURRENT_USER
#define OFFICE L"Software\\Microsoft\\Office\\11.0\\"
#define OPEN_FIND OFFICE L"Common\\Open Find\\Microsoft Office "
#define FRONTPAGE L"Software\\Microsoft\\FrontPage\\Explorer\\FrontPage Explorer\\"
}  // namespace

RuleSpan OfficeRules() {
    static const TargetRule rows[] = {
        Folder(210, {Known(CSIDL_APPDATA), Text(L"\\Microsoft\\office\\Recent\\")}, L"*.*", KindAllFiles),
        Reg(211, HKCU, OFFICE L"Common\\Internet\\Server Cache", L"*.*", KindPlain),
        // 212 has no targets.
        Reg(213, HKCU, FRONTPAGE L"Recent File List", L"*.*", KindPlain),
        Reg(213, HKCU, FRONTPAGE L"Recent Page List", L"*.*", KindPlain),
        Reg(213, HKCU, FRONTPAGE L"Recent Web List", L"*.*", KindPlain),
        Reg(213, HKCU, FRONTPAGE L"Recently Created Servers", L"*.*", KindPlain),
        Reg(213, HKCU, FRONTPAGE L"Settings", L"LastWebOpen", KindPlain),
        Reg(213, HKCU, L"Software\\Microsoft\\FrontPage\\Editor\\Recent Templates", L"*.*", KindPlain),

        Reg(215, HKCU, OPEN_FIND L"Word\\Settings", L"*.*", KindPlain),
        Reg(215, HKCU, OFFICE L"Word\\Data", L"Settings", KindPlain),
        Reg(216, HKCU, OPEN_FIND L"Access\\Settings", L"*.*", KindPlain),
        Reg(216, HKCU, OFFICE L"Access\\Settings", L"*.*", KindPlain),
        Reg(217, HKCU, OPEN_FIND L"Excel\\Settings", L"*.*", KindPlain),
        Reg(217, HKCU, OFFICE L"Excel\\Recent Files", L"*.*", KindPlain),
        Reg(218, HKCU, OFFICE L"Visio\\Application", L"*.*", KindPlain),
        Reg(219, HKCU, OFFICE L"PowerPoint\\Recent File List", L"*.*", KindPlain),
        Reg(220, HKCU, OPEN_FIND L"Publisher\\Settings", L"*.*", KindPlain),
        Reg(220, HKCU, OFFICE L"Publisher\\Recent File List", L"*.*", KindPlain),
        Reg(221, HKCU, OPEN_FIND L"FrontPage\\Settings", L"*.*", KindPlain),
        Reg(222, HKCU, OFFICE L"MS Project\\Recent File List", L"*.*", KindPlain),
        Reg(223, HKCU, OPEN_FIND L"InfoPath\\Settings", L"*.*", KindPlain),
        Reg(223, HKCU, OFFICE L"InfoPath\\Recent File List", L"*.*", KindPlain),
        Reg(224, HKCU, OFFICE L"Clip Organizer\\Search\\Last Query", L"*.*", KindPlain),
        Reg(225, HKCU, OFFICE L"OIS\\Options", L"LastTreeConfig", KindPlain),
        Reg(225, HKCU, OFFICE L"OIS\\Options", L"LastTreeSelection", KindPlain),
        Folder(225, {Profile(), Text(L"Local Settings\\Application Data\\Microsoft\\OIS\\")}, L"*.*", KindAllFiles),
        Reg(226, HKCU, L"Software\\Microsoft\\Snapshot Viewer\\Recent File List", L"*.*", KindPlain),
        Reg(227, HKCU, L"Software\\Microsoft\\OfficeProfileWizard\\11.0\\RecentFileList", L"*.*", KindPlain),
    };
    return rows;
}

}  // namespace scw::rules
