#pragma once
// Fetching update.ini's body with one deadline for the whole network exchange: a slow name
// lookup, a silent server or one that trickles its bytes cannot hold the caller past it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace scw {

// The WinINet session: the check and the worker of its exchange each hold it, so whichever ends
// last closes it and neither ever closes a handle the other still uses.
using SharedInternet = std::shared_ptr<void>;

// Opens the session ("AutoUpdateAgent", the system's proxy settings); null when that fails.
SharedInternet OpenInternetSession(DWORD timeoutMs);

// The body of a 200 answer for `url`, whole and at most kMaxUpdateBody bytes; nullopt for
// anything else, and when `deadlineMs` passes or `stop` (a manual-reset event, optional) is set
// first. The exchange runs on a thread of its own, since the platform cannot cancel a request
// that waits on the network; when the caller stops waiting that thread is left to end on its own
// (its own time-outs and deadline checks end it soon after) and its answer is dropped.
std::optional<std::string> DownloadWithin(const SharedInternet& session, const std::wstring& url, DWORD deadlineMs,
                                          HANDLE stop = nullptr);

}  // namespace scw
