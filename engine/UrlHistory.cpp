#include <objbase.h>
#include <urlhist.h>

#include "engine/Sweep.h"
#include "framework/UniqueHandle.h"

namespace scw {

namespace {
// Spelled out here so the engine needs no import library for them.
const CLSID kUrlHistoryClass = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
const IID kUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};
}  // namespace

HRESULT ClearUrlHistory() {
    HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IUrlHistoryStg2* history = nullptr;
    HRESULT hr = ::CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, kUrlHistoryStg2,
                                    reinterpret_cast<void**>(&history));
    if (SUCCEEDED(hr) && history) {
        hr = history->ClearHistory();
        history->Release();
    }
    // Only a successful initialisation of our own is undone; a thread already in another
    // apartment keeps it.
    if (SUCCEEDED(init)) ::CoUninitialize();
    return hr;
}

}  // namespace scw
