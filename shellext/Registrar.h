#pragma once
// DllRegisterServer and DllUnregisterServer: the registry script in the module's resources, with
// %MODULE% standing for the module's full path, and the type library.
#include <windows.h>

namespace lume {

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace lume
