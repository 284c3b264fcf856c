#pragma once
// A machine on which every program of the catalogue has left traces, next to files and values
// that no target names. Everything lies in a fixture folder and a process-private registry.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/common/TestSupport.h"
#include "tests/engine/catalogue/WorldSupport.h"

namespace scw::test {

class TraceWorld {
public:
    TraceWorld();

    const Environment& Env() const { return dirs_.env; }
    // What a scan of every item must report, sorted.
    std::vector<Found> Expected() const;

    // Planted traces (and the "*.*" keys) still present, and sentinels that are gone.
    std::vector<std::wstring> TracesLeft() const;
    std::vector<std::wstring> SentinelsLost() const;

private:
    struct Value {
        HKEY root;
        std::wstring key;
        std::wstring name;
    };

    // A file that the item lists (unless `listed` is false) and whose delete removes it.
    void File(UINT item, const std::wstring& folder, const std::wstring& name, bool listed = true);
    // A registry value the item lists and deletes.
    void Val(UINT item, HKEY root, const std::wstring& key, const std::wstring& name);
    void KeepFile(const std::wstring& path);
    void KeepVal(HKEY root, const std::wstring& key, const std::wstring& name);
    // A value the program itself keeps (a folder, an account): read by the rules, never deleted.
    void KeepStored(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);
    void WriteIni(const std::wstring& path, const std::string& text);

    void PlantWindows();
    void PlantBrowsers();
    void PlantMessaging();
    void PlantOffice();
    void PlantMedia();
    void PlantFileSharing();
    void PlantMail();
    void PlantThirdParty();

    PrivateRegistry registry_;
    TempFolder folder_{L"world"};
    FixtureFolders dirs_{folder_.Path()};
    std::vector<Found> expected_;
    std::vector<std::wstring> files_, keptFiles_;
    std::vector<Value> values_, keptValues_;
    std::vector<Value> wholeKeys_;
};

}  // namespace scw::test
