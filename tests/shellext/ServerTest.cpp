// The DLL loaded into the test process as the file manager loads it: its exports, registry
// script, type library and menu entry.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include "ShellExtSupport.h"
#include "shellext/ClassIds.h"
#include "tests/common/TestSupport.h"

using namespace scw::test;
using scw::ComPtr;
using scw::ComScope;

namespace {

class ShellExtServer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(server.Handle(), nullptr);
        getClassObject = server.Export<GetClassObjectFn>("DllGetClassObject");
        canUnloadNow = server.Export<HRESULT(WINAPI*)()>("DllCanUnloadNow");
        registerServer = server.Export<HRESULT(WINAPI*)()>("DllRegisterServer");
        unregisterServer = server.Export<HRESULT(WINAPI*)()>("DllUnregisterServer");
        ASSERT_TRUE(getClassObject && canUnloadNow && registerServer && unregisterServer);
    }

    HRESULT NewHandler(REFIID iid, void** object) { return server.NewHandler(iid, object); }

    using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    ComScope com;
    const std::wstring dllPath = TestBinFolder() + L"lumeShl.dll";
    ServerModule server{dllPath};
    GetClassObjectFn getClassObject = nullptr;
    HRESULT(WINAPI* canUnloadNow)() = nullptr;
    HRESULT(WINAPI* registerServer)() = nullptr;
    HRESULT(WINAPI* unregisterServer)() = nullptr;
};

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

}  // namespace

TEST_F(ShellExtServer, CanUnloadOnlyWhileNoObjectOrLockLives) {
    EXPECT_EQ(canUnloadNow(), S_OK);
    {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(getClassObject(lume::kClsidNixShl, IID_IClassFactory, factory.PutVoid()), S_OK);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        ComPtr<IContextMenu> menu;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, menu.PutVoid()), S_OK);
        factory.Reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "a living object keeps the module";
        ComPtr<IShellExtInit> init;
        ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.PutVoid()), S_OK);
        menu.Reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "the same object through another interface";
    }
    EXPECT_EQ(canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(lume::kClsidNixShl, IID_IClassFactory, factory.PutVoid()), S_OK);
    factory->LockServer(TRUE);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a server lock keeps the module";
    ASSERT_EQ(getClassObject(lume::kClsidNixShl, IID_IClassFactory, factory.PutVoid()), S_OK);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    void* other = nullptr;
    EXPECT_EQ(getClassObject(CLSID_ShellLink, IID_IClassFactory, &other), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(other, nullptr);
}

TEST_F(ShellExtServer, RegistersItsScriptWithTheModulePathAndRemovesItAgain) {
    // HKEY_CLASSES_ROOT is redirected to a key of the test for this process only.
    TestKey classes;
    HKEY redirected = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, classes.Path().c_str(), 0, KEY_ALL_ACCESS, &redirected),
              ERROR_SUCCESS);
    SetRegString(HKEY_CURRENT_USER, classes.Path() + L"\\CLSID\\{00000000-1111-2222-3333-444444444444}", L"",
                 L"sentinel");
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, redirected), ERROR_SUCCESS);
    const HRESULT registered = registerServer();
    const std::wstring root = classes.Path() + L"\\";
    const std::wstring clsidKey = root + L"CLSID\\" + kClsidText;
    EXPECT_EQ(registered, S_OK);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, root + L"LumeShl.NixShl.1"), L"NixShl Class");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, root + L"LumeShl.NixShl.1\\CLSID"), kClsidText);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, root + L"LumeShl.NixShl\\CurVer"), L"LumeShl.NixShl.1");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, root + L"LumeShl.NixShl\\CLSID"), kClsidText);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, clsidKey), L"NixShl Class");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, clsidKey + L"\\ProgID"), L"LumeShl.NixShl.1");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, clsidKey + L"\\VersionIndependentProgID"), L"LumeShl.NixShl");
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, clsidKey + L"\\Programmable"));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, clsidKey + L"\\InprocServer32"), dllPath);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, clsidKey + L"\\TypeLib"), kLibidText);
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, root + L"TypeLib\\" + kLibidText + L"\\1.0"));

    const HRESULT unregistered = unregisterServer();
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(redirected);
    EXPECT_EQ(unregistered, S_OK);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, clsidKey));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, root + L"LumeShl.NixShl"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, root + L"LumeShl.NixShl.1"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, root + L"TypeLib\\" + kLibidText));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, root + L"CLSID\\{00000000-1111-2222-3333-444444444444}"), L"sentinel")
        << "the CLSID key and other classes stay";
}

TEST_F(ShellExtServer, TypeLibraryDescribesTheClassAndItsDualInterface) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(::LoadTypeLibEx(dllPath.c_str(), REGKIND_NONE, library.Put()), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(::IsEqualGUID(attributes->guid, lume::kLibidLumeShl));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attributes);
    BSTR name = nullptr, doc = nullptr;
    ASSERT_EQ(library->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"LUMESHLLib");
    EXPECT_STREQ(doc, L"lumeShl 1.0 Type Library");
    ::SysFreeString(name);
    ::SysFreeString(doc);

    ComPtr<ITypeInfo> coclass;
    EXPECT_EQ(library->GetTypeInfoOfGuid(lume::kClsidNixShl, coclass.Put()), S_OK);

    // The object answers as the dual interface from the same description.
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(NewHandler(lume::kIidINixShl, dispatch.PutVoid()), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, info.Put()), S_OK);
    TYPEATTR* type = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&type), S_OK);
    EXPECT_TRUE(::IsEqualGUID(type->guid, lume::kIidINixShl));
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_EQ(type->cFuncs, 7) << "only those of IUnknown and IDispatch";
    info->ReleaseTypeAttr(type);
}

TEST_F(ShellExtServer, MenuShowsTheEntryWithItsImageUnlessOnlyTheDefaultItemIsAsked) {
    TempFolder folder{L"menu"};
    WriteFileText(folder / L"a.txt", "secret");
    ComPtr<IDataObject> data;
    ASSERT_EQ(SelectionDataObject(folder.Path(), {L"a.txt"}, data.Put()), S_OK);
    ComPtr<IShellExtInit> init;
    ASSERT_EQ(NewHandler(IID_IShellExtInit, init.PutVoid()), S_OK);
    EXPECT_EQ(init->Initialize(nullptr, data.Get(), nullptr), S_OK);
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, menu.PutVoid()), S_OK);

    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 1, L"Open");
    ::AppendMenuW(popup, MF_STRING, 2, L"Properties");
    EXPECT_EQ(menu->QueryContextMenu(popup, 0, 40, 50, CMF_DEFAULTONLY), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0));
    EXPECT_EQ(::GetMenuItemCount(popup), 2);

    EXPECT_EQ(menu->QueryContextMenu(popup, 1, 40, 50, CMF_NORMAL), MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1));
    ASSERT_EQ(::GetMenuItemCount(popup), 3);
    EXPECT_EQ(MenuText(popup, 1), L"Scourwell Shred files(&S)");
    EXPECT_EQ(::GetMenuItemID(popup, 1), 40u);
    EXPECT_EQ(MenuText(popup, 2), L"Properties");
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_CHECKMARKS;
    ASSERT_TRUE(::GetMenuItemInfoW(popup, 1, TRUE, &item));
    EXPECT_NE(item.hbmpUnchecked, nullptr) << "the image shows beside the unchecked entry";
    EXPECT_EQ(item.hbmpChecked, nullptr);
    ::DestroyMenu(popup);
}

TEST_F(ShellExtServer, AVerbByNameOrAnotherOffsetHandsNothingOver) {
    TempFolder folder{L"verb"};
    WriteFileText(folder / L"a.txt");
    ComPtr<IDataObject> data;
    ASSERT_EQ(SelectionDataObject(folder.Path(), {L"a.txt"}, data.Put()), S_OK);
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(NewHandler(IID_IContextMenu, menu.PutVoid()), S_OK);
    ComPtr<IShellExtInit> init;
    ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.PutVoid()), S_OK);
    ASSERT_EQ(init->Initialize(nullptr, data.Get(), nullptr), S_OK);

    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = "open";
    EXPECT_EQ(menu->InvokeCommand(&info), E_FAIL);
    info.lpVerb = MAKEINTRESOURCEA(1);
    EXPECT_EQ(menu->InvokeCommand(&info), E_FAIL);
    // A UTF-16 caller naming the verb as text in the wide field.
    CMINVOKECOMMANDINFOEX ex{};
    ex.cbSize = sizeof ex;
    ex.fMask = CMIC_MASK_UNICODE;
    ex.lpVerb = MAKEINTRESOURCEA(0);
    ex.lpVerbW = L"open";
    EXPECT_EQ(menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&ex)), E_FAIL);
}
