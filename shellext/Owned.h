#pragma once
// Owners for what the server's objects hold: a COM reference, a registry key, a bitmap, an item
// list. Each is released once, by its owner; this DLL builds on nothing else of ours.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <type_traits>

namespace lume {

struct ReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};
struct CloseKey {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct FreeItemList {
    void operator()(ITEMIDLIST_ABSOLUTE* list) const { ::ILFree(list); }
};

// Takes over a reference already counted for it; AddRef before handing one in that is borrowed.
template <typename Interface>
using OwnedInterface = std::unique_ptr<Interface, ReleaseInterface>;
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseKey>;
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteGdiObject>;
using OwnedItemList = std::unique_ptr<ITEMIDLIST_ABSOLUTE, FreeItemList>;

}  // namespace lume
