#include "junk/page/DlgJunk.h"

#include "res/resource.h"

namespace scw {

CDlgJunk::CDlgJunk() : CDialog(IDD_JUNK) {}

void CDlgJunk::Reset() { ++resetCount_; }

}  // namespace scw
