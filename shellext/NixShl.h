#pragma once
// The context-menu handler: one entry that hands the first selected file to the shredder.
#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "shellext/ClassIds.h"
#include "shellext/Owned.h"

namespace lume {

// The dual automation interface of the class; it has no methods of its own.
struct INixShl : public IDispatch {};

class NixShl : public INixShl, public IShellExtInit, public IContextMenu {
public:
    static HRESULT Create(REFIID iid, void** object);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch, answered from the type library in the module's resources.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR id, UINT type, UINT* reserved, CHAR* name, UINT size) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY classKey) override;

private:
    NixShl();
    virtual ~NixShl();
    NixShl(const NixShl&) = delete;
    NixShl& operator=(const NixShl&) = delete;

    HRESULT LoadTypeInfo();

    LONG refs_ = 1;
    OwnedItemList folder_;  // kept as given; not used further
    // First file of the selection: empty when there is none, no path when it is too long to hand
    // over whole.
    std::optional<std::wstring> filePath_ = std::wstring();
    OwnedInterface<IDataObject> data_;
    OwnedKey classKey_;        // kept as given; not used further
    OwnedBitmap menuBitmap_;   // shown on the entry while the menu lives
    OwnedInterface<ITypeInfo> typeInfo_;
};

}  // namespace lume
