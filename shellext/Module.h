#pragma once
// The server module: its handle and the lock count that decides whether it may be unloaded.
#include <windows.h>

#include <string>

namespace lume {

HMODULE ThisModule();
void SetThisModule(HMODULE module);
// The full path of the module (at most 1023 characters; empty if longer: never cut).
std::wstring ModulePath(HMODULE module);

// Every living object and every IClassFactory::LockServer(TRUE) holds one lock.
void LockModule();
void UnlockModule();
LONG ModuleLocks();

}  // namespace lume
