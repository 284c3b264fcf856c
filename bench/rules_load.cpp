// Times the console's "rules" with a synthetic rule file of 4,000 entries beside it (reading and
// detecting every entry) against "items" (the catalogue) and against "rules" with no rule file,
// each a fresh process, in the same run.
// Usage: bench_rules_load.exe [folder] [rounds]   (C:\scourwell-bench-rules\ by default)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "engine/Environment.h"
#include "rules/RuleDetection.h"
#include "rules/RuleSet.h"
#include "tests/rules/SyntheticRuleFile.h"

namespace {

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

// One run of the program, its output thrown away; seconds from start to exit.
double RunOnce(const std::wstring& program, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE sink = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = sink;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + program + L"\" " + arguments;
    double seconds = Seconds([&] {
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
            return;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    });
    CloseHandle(sink);
    return seconds;
}

double MedianOf(int rounds, const std::wstring& program, const std::wstring& arguments) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) times.push_back(RunOnce(program, arguments));
    return Median(times);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring root = argc > 1 ? argv[1] : L"C:\\scourwell-bench-rules\\";
    if (root.back() != L'\\') root += L'\\';
    const int rounds = argc > 2 && _wtoi(argv[2]) > 0 ? _wtoi(argv[2]) : 5;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bin(self);
    bin.resize(bin.find_last_of(L'\\') + 1);

    const std::wstring bare = root + L"bare\\", loaded = root + L"loaded\\";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(bare.c_str(), nullptr);
    CreateDirectoryW(loaded.c_str(), nullptr);
    for (const std::wstring& folder : {bare, loaded})
        if (!CopyFileW((bin + L"scourwell-cli.exe").c_str(), (folder + L"scourwell-cli.exe").c_str(), FALSE)) {
            std::fwprintf(stderr, L"scourwell-cli.exe is not beside this program\n");
            return 1;
        }
    if (!WriteBytes(loaded + L"winapp2.ini", scw::test::SyntheticRuleFile(4000))) return 1;

    // One warm-up each, so the first round does not pay for loading the program from disk.
    RunOnce(bare + L"scourwell-cli.exe", L"items");
    RunOnce(loaded + L"scourwell-cli.exe", L"rules");
    const double items = MedianOf(rounds, bare + L"scourwell-cli.exe", L"items");
    const double none = MedianOf(rounds, bare + L"scourwell-cli.exe", L"rules");
    const double rules = MedianOf(rounds, loaded + L"scourwell-cli.exe", L"rules");
    // Where the time goes, inside this process.
    std::vector<double> reading, detecting;
    for (int i = 0; i < rounds; ++i) {
        scw::rules::RuleSet set;
        reading.push_back(Seconds([&] { set = scw::rules::LoadRuleSet(loaded); }));
        detecting.push_back(Seconds([&] {
            scw::rules::RuleDetector detector(scw::SystemEnv());
            for (const scw::rules::RuleEntry& entry : set.entries) detector.IsDetected(entry);
        }));
    }
    std::wprintf(L"in process: reading %.0f ms, detecting %.0f ms\n", Median(reading) * 1000, Median(detecting) * 1000);
    std::wprintf(L"median of %d rounds, each a new process\n", rounds);
    std::wprintf(L"  items (the catalogue)                 %7.0f ms\n", items * 1000);
    std::wprintf(L"  rules, no rule file                   %7.0f ms\n", none * 1000);
    std::wprintf(L"  rules, 4,000 entries read and detected %6.0f ms\n", rules * 1000);
    std::wprintf(
        L"  added by the 4,000 entries: %.0f ms against items, %.0f ms against no rule file (target: at most 300)\n",
        (rules - items) * 1000, (rules - none) * 1000);
    return 0;
}
