#pragma once
// The class object of NixShl, the one class of the server.
#include <windows.h>

namespace lume {

HRESULT CreateClassFactory(REFIID iid, void** object);

}  // namespace lume
