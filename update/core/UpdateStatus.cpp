#include "update/core/UpdateStatus.h"

#include "update/core/Versions.h"

namespace scw {

const wchar_t* UpdateStatusWord(const UpdateFinding& finding) {
    switch (finding.code) {
    case kUpdateNoConnection:
    case kUpdateOpenFailed:
        return L"failed";
    case kUpdateNoRunningVersion:
        return L"no-version";
    case kUpdateProceed:
        return L"newer";
    default:
        break;
    }
    // An answer that names no version is as useless as a malformed one.
    if (!finding.serverVersion || finding.comparison == kFirstMalformed || finding.comparison == kSecondMalformed)
        return L"malformed";
    return L"current";
}

}  // namespace scw
