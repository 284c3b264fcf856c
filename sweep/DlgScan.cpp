#include "sweep/DlgScan.h"

#include "res/resource.h"

namespace scw {

CDlgScan::CDlgScan(TrayActivity& mainWindow) : CDialog(IDD_SCAN), mainWindow_(mainWindow) {}

void CDlgScan::StartOneClickErase() {}

}  // namespace scw
