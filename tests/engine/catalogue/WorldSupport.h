#pragma once
// What the catalogue tests share: a recording scan run, a process-private registry, and an
// environment whose every known folder lies in a fixture folder.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/Environment.h"
#include "engine/MyObject.h"
#include "engine/ScanRun.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

struct Found {
    UINT item;
    std::wstring name;
    std::wstring location;
    bool isRegistry;
    bool operator<(const Found& o) const;
    bool operator==(const Found& o) const;
};
std::wstring Describe(const std::vector<Found>& rows);

class RecordingRun : public ScanRun {
public:
    RecordingRun();
    ~RecordingRun() override;
    HANDLE StopEvent() const override { return stop_; }
    void ReportTrace(const TraceRow& row) override;
    void ReportDeletion(bool success, DWORD number) override;
    void MarkScanning(CMyObject& item) override { SetScanState(item, ScanRunning); }
    void MarkScanned(CMyObject& item) override { SetScanState(item, ScanDone); }

    std::vector<Found> found;
    std::vector<std::pair<bool, DWORD>> deletions;

private:
    HANDLE stop_;
};

// Redirects HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of this process to two fresh test keys, so
// the catalogue's real key paths can be planted and deleted without touching the prefix's own.
class PrivateRegistry {
public:
    PrivateRegistry();
    ~PrivateRegistry();
    PrivateRegistry(const PrivateRegistry&) = delete;
    PrivateRegistry& operator=(const PrivateRegistry&) = delete;

private:
    TestKey user_{HKEY_CURRENT_USER, L"world-user"};
    TestKey machine_{HKEY_CURRENT_USER, L"world-machine"};
    HKEY userKey_ = nullptr;
    HKEY machineKey_ = nullptr;
};

// Every known folder the rules and the folder guard ask for, laid out as an old-style profile
// below a fixture folder; the Windows folder, %TEMP% and the drives too.
struct FixtureFolders {
    explicit FixtureFolders(const std::wstring& root);
    std::wstring root;  // ends in a backslash
    std::wstring profile, appData, localAppData, internetCache, history, cookies, favorites, documents, recent,
        cdBurn, windows, temp, drive, cdDrive;
    OverrideEnvironment env;
};

// The item's targets after CollectTargets, as "path|name|kind" lines.
std::vector<std::wstring> TargetsOf(UINT itemId, const Environment& env);

void SetRegMultiString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& first);
void SetRegDefault(HKEY root, const std::wstring& key, const std::wstring& value);

}  // namespace scw::test
