#pragma once
// Fetching update.ini's body with one deadline for the whole network exchange: a slow name
// lookup, a silent server or one that trickles its bytes cannot hold the caller past it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace scw {

// The WinINet session, closed by the last check that holds it.
using SharedInternet = std::shared_ptr<void>;

// Opens the session ("AutoUpdateAgent", the system's proxy settings) in the asynchronous mode the
// downloads need; null when that fails.
SharedInternet OpenInternetSession(DWORD timeoutMs);

// The body of a 200 answer for `url`, whole and at most kMaxUpdateBody bytes; nullopt for
// anything else, and when `deadlineMs` passes or `stop` (a manual-reset event, optional) is set
// first. Runs on the calling thread and starts no other: every wait on the network is a pending
// call this thread waits for, and giving up closes the request, which cancels it, so the caller
// is free at once (a worker stopped at exit is joined without waiting for the server).
std::optional<std::string> DownloadWithin(const SharedInternet& session, const std::wstring& url, DWORD deadlineMs,
                                          HANDLE stop = nullptr);

}  // namespace scw
