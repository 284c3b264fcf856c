// Writes the synthetic 4,000-entry rule file of the tests to the path given (for bench/startup.sh:
// winapp2.ini beside Scourwell.exe; the script removes it again).
// Usage: bench_startup_rules.exe PATH
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/rules/SyntheticRuleFile.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: bench_startup_rules.exe PATH\n");
        return 2;
    }
    const std::string bytes = scw::test::SyntheticRuleFile(4000);
    HANDLE file = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok ? 0 : 1;
}
