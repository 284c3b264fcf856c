#pragma once
// The update check: fetches update.ini from the download location, keeps a copy beside the
// program, and compares the version it names with the running program's. No windows: the caller
// asks the user whether to proceed.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "update/core/UpdateDownload.h"

namespace scw {

enum UpdateCode : int {
    kUpdateProceed = 0,       // newer, and the user chose to proceed
    kUpdateNoConnection = 1,  // no Internet handle or no connection
    kUpdateOpenFailed = 2,    // the update file could not be fetched whole
    kUpdateNoRunningVersion = 5,
    kUpdateNotNewer = 6,      // also a malformed version or an answer that names none
    kUpdateDeclined = 7,
};

// What the network exchange found, before anyone is asked.
struct UpdateFinding {
    int code = kUpdateNotNewer;  // kUpdateProceed here means a newer version is offered
    std::optional<std::wstring> serverVersion;
    std::wstring runningVersion;
    int comparison = 0;           // CompareVersions(server, running) when both were known
    bool localCopySaved = false;  // the whole answer went into the copy beside the program

    bool Newer() const { return code == kUpdateProceed; }
};

struct UpdaterOptions {
    // One deadline for the whole network exchange, name lookup included: the check (and the
    // window that runs it) waits no longer on the network.
    DWORD deadlineMs = 15000;
    // Where the copy of a good answer goes; empty: update.ini beside the program.
    std::wstring localCopyPath;
    // The running version; unset: this program's own file version.
    std::optional<std::wstring> runningVersion;
};

class CAutoUpdater {
public:
    explicit CAutoUpdater(UpdaterOptions options = {});
    virtual ~CAutoUpdater() = default;

    // Fetches and compares; `location` is a URL ending in a slash. Any thread. A set `stop`
    // (optional manual-reset event) ends the wait on the network at once, as a failed fetch.
    UpdateFinding Fetch(const std::wstring& location, HANDLE stop = nullptr) const;
    // Fetch, then ask when a newer version is offered: the result code of the check.
    int Check(const std::wstring& location, const std::function<bool()>& proceed) const;

private:
    bool KeepLocalCopy(const std::string& body) const;

    UpdaterOptions options_;
    SharedInternet internet_;
};

}  // namespace scw
