#include "shellext/NixShl.h"

#include <shlwapi.h>

#include <new>
#include <vector>

#include "shellext/Module.h"
#include "shellext/ProgramHandOff.h"
#include "shellext/SelectionPath.h"

namespace lume {

namespace {
constexpr int kMenuTextMax = 1024;

// A verb given as text, in the narrow field or (for a UTF-16 caller) in the wide one.
bool VerbIsText(const CMINVOKECOMMANDINFO& info) {
    if (!IS_INTRESOURCE(info.lpVerb)) return true;
    if (info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info.fMask & CMIC_MASK_UNICODE)) {
        const auto& ex = reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info);
        if (!IS_INTRESOURCE(ex.lpVerbW)) return true;
    }
    return false;
}
}  // namespace

NixShl::NixShl() { LockModule(); }

NixShl::~NixShl() { UnlockModule(); }

HRESULT NixShl::Create(REFIID iid, void** object) {
    auto* instance = new (std::nothrow) NixShl;
    if (!instance) return E_OUTOFMEMORY;
    const HRESULT hr = instance->QueryInterface(iid, object);
    instance->Release();
    return hr;
}

STDMETHODIMP NixShl::QueryInterface(REFIID iid, void** object) {
    // IUnknown is answered by the first entry.
    static const QITAB interfaces[] = {
        QITABENTMULTI2(NixShl, kIidINixShl, INixShl),
        QITABENTMULTI2(NixShl, IID_IDispatch, INixShl),
        QITABENTMULTI2(NixShl, IID_IShellExtInit, IShellExtInit),
        QITABENTMULTI2(NixShl, IID_IContextMenu, IContextMenu),
        {nullptr, 0},
    };
    return ::QISearch(this, interfaces, iid, object);
}

STDMETHODIMP_(ULONG) NixShl::AddRef() { return ::InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) NixShl::Release() {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

HRESULT NixShl::LoadTypeInfo() {
    if (typeInfo_) return S_OK;
    const std::wstring path = ModulePath(ThisModule());
    if (path.empty()) return E_FAIL;
    ITypeLib* loaded = nullptr;
    HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &loaded);
    if (FAILED(hr)) return hr;
    const OwnedInterface<ITypeLib> library(loaded);
    ITypeInfo* info = nullptr;
    hr = library->GetTypeInfoOfGuid(kIidINixShl, &info);
    if (SUCCEEDED(hr)) typeInfo_.reset(info);
    return hr;
}

STDMETHODIMP NixShl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP NixShl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    typeInfo_->AddRef();
    *info = typeInfo_.get();
    return S_OK;
}

STDMETHODIMP NixShl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    return ::DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
}

STDMETHODIMP NixShl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* exception, UINT* argError) {
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    return ::DispInvoke(static_cast<INixShl*>(this), typeInfo_.get(), id, flags, params, result, exception, argError);
}

STDMETHODIMP NixShl::Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY classKey) {
    if (folder) folder_.reset(::ILClone(folder));
    // The selection is borrowed from the caller: the object keeps a reference of its own.
    if (data) data->AddRef();
    data_.reset(data);
    filePath_ = FirstSelectedPath(data_.get());
    if (classKey) {
        HKEY opened = nullptr;
        if (::RegOpenKeyExA(classKey, nullptr, 0, MAXIMUM_ALLOWED, &opened) == ERROR_SUCCESS) classKey_.reset(opened);
    }
    return S_OK;
}

STDMETHODIMP NixShl::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT, UINT flags) {
    if (flags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    std::vector<char> text(kMenuTextMax);
    ::LoadStringA(ThisModule(), kMenuTextId, text.data(), kMenuTextMax);
    if (!::InsertMenuA(menu, index, MF_BYPOSITION | MF_STRING, firstId, text.data()))
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    if (!menuBitmap_) menuBitmap_.reset(::LoadBitmapA(ThisModule(), MAKEINTRESOURCEA(kMenuBitmapId)));
    if (menuBitmap_) ::SetMenuItemBitmaps(menu, index, MF_BYPOSITION, menuBitmap_.get(), nullptr);
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 1);
}

STDMETHODIMP NixShl::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info) return E_INVALIDARG;
    // Only our one entry, by its offset; a verb by name is not ours.
    if (VerbIsText(*info) || LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)) != 0) return E_FAIL;
    // A path too long to hand over whole is not handed over cut, nor as an empty one.
    if (!filePath_) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    return HandOffPath(ThisModule(), *filePath_);
}

STDMETHODIMP NixShl::GetCommandString(UINT_PTR, UINT type, UINT*, CHAR* name, UINT size) {
    // No verb and no help text; the buffer is left as a valid empty string.
    if ((type & GCS_VALIDATE) == 0 && name && size > 0) {
        if (type & GCS_UNICODE)
            reinterpret_cast<wchar_t*>(name)[0] = L'\0';
        else
            name[0] = '\0';
    }
    return S_OK;
}

}  // namespace lume
