#include "shellext/Module.h"

#include <vector>

namespace lume {

namespace {
HMODULE g_module = nullptr;
LONG g_locks = 0;
}  // namespace

HMODULE ThisModule() { return g_module; }

std::wstring ModulePath(HMODULE module) {
    std::vector<wchar_t> buffer(1024);
    const DWORD n = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return {};
    return std::wstring(buffer.data(), n);
}
void SetThisModule(HMODULE module) { g_module = module; }

void LockModule() { ::InterlockedIncrement(&g_locks); }
void UnlockModule() { ::InterlockedDecrement(&g_locks); }
LONG ModuleLocks() { return ::InterlockedCompareExchange(&g_locks, 0, 0); }

}  // namespace lume
