#include "shred/page/DlgShred.h"

#include "res/resource.h"

namespace scw {

CDlgShred::CDlgShred() : CDialog(IDD_SHRED) {}

void CDlgShred::AddPath(const std::wstring& fullPath) { queued_.push_back(fullPath); }

}  // namespace scw
