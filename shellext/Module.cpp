#include "shellext/Module.h"

namespace lume {

namespace {
HMODULE g_module = nullptr;
LONG g_locks = 0;
}  // namespace

HMODULE ThisModule() { return g_module; }
void SetThisModule(HMODULE module) { g_module = module; }

void LockModule() { ::InterlockedIncrement(&g_locks); }
void UnlockModule() { ::InterlockedDecrement(&g_locks); }
LONG ModuleLocks() { return ::InterlockedCompareExchange(&g_locks, 0, 0); }

}  // namespace lume
