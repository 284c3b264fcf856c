// The four exports of an in-process COM server, and DllMain, which only keeps the module handle.
#include <windows.h>

#include "shellext/ClassFactory.h"
#include "shellext/ClassIds.h"
#include "shellext/Module.h"
#include "shellext/Registrar.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        lume::SetThisModule(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() { return lume::ModuleLocks() == 0 ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!::IsEqualCLSID(clsid, lume::kClsidNixShl)) return CLASS_E_CLASSNOTAVAILABLE;
    return lume::CreateClassFactory(iid, object);
}

STDAPI DllRegisterServer() { return lume::RegisterServer(); }

STDAPI DllUnregisterServer() { return lume::UnregisterServer(); }

}  // extern "C"
