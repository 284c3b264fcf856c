#include "shellext/ClassFactory.h"

#include <shlwapi.h>

#include <new>

#include "shellext/Module.h"
#include "shellext/NixShl.h"

namespace lume {

namespace {

// Lives while referenced; the module counts it as a lock like any object.
class NixShlFactory : public IClassFactory {
public:
    NixShlFactory() { LockModule(); }
    virtual ~NixShlFactory() { UnlockModule(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        static const QITAB interfaces[] = {
            QITABENTMULTI2(NixShlFactory, IID_IClassFactory, IClassFactory),
            {nullptr, 0},
        };
        return ::QISearch(this, interfaces, iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return NixShl::Create(iid, object);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }

private:
    LONG refs_ = 1;
};

}  // namespace

HRESULT CreateClassFactory(REFIID iid, void** object) {
    auto* factory = new (std::nothrow) NixShlFactory;
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

}  // namespace lume
