#include "tests/engine/EngineFixtures.h"

#include "framework/UniqueHandle.h"

namespace scw::test {

namespace {

// The kernel's full name of an open key ("\REGISTRY\User\S-1-5-...\Software\..."), which a link stores.
std::wstring KernelName(HKEY key) {
    using NtQueryKeyFn = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto queryKey = reinterpret_cast<NtQueryKeyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryKey")));
    BYTE buffer[4096];
    ULONG size = 0;
    const int kKeyNameInformation = 3;
    if (!queryKey || queryKey(key, kKeyNameInformation, buffer, sizeof buffer, &size) < 0) return {};
    ULONG bytes = *reinterpret_cast<ULONG*>(buffer);
    return std::wstring(reinterpret_cast<wchar_t*>(buffer + sizeof(ULONG)), bytes / sizeof(wchar_t));
}

}  // namespace

bool MakeRegistryLink(HKEY root, const std::wstring& link, const std::wstring& target) {
    UniqueKey targetKey;
    if (RegOpenKeyExW(root, target.c_str(), 0, KEY_READ, targetKey.Put()) != ERROR_SUCCESS) return false;
    std::wstring name = KernelName(targetKey.Get());
    UniqueKey linkKey;
    if (name.empty() || RegCreateKeyExW(root, link.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS,
                                        nullptr, linkKey.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExW(linkKey.Get(), L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(name.data()),
                          static_cast<DWORD>(name.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace scw::test
