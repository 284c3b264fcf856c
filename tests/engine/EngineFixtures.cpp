#include "tests/engine/EngineFixtures.h"

#include "framework/UniqueHandle.h"

namespace scw::test {

namespace {

enum class KeyList { Open, ReadOnly, Closed };

bool SetKeyList(HKEY parent, const std::wstring& path, KeyList list) {
    UniqueKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, WRITE_DAC, key.Put()) != ERROR_SUCCESS) return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    BYTE aclBuffer[256];
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION);
    if (list == KeyList::Closed)
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_ALL_ACCESS | DELETE, everyone);
    else
        AddAccessAllowedAce(acl, ACL_REVISION, list == KeyList::Open ? KEY_ALL_ACCESS | DELETE : KEY_READ, everyone);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    bool ok = RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    FreeSid(everyone);
    return ok;
}

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

bool DenyAll(HKEY parent, const std::wstring& path, bool deny) {
    return SetKeyList(parent, path, deny ? KeyList::Closed : KeyList::Open);
}

bool DenyWrites(HKEY parent, const std::wstring& path, bool deny) {
    return SetKeyList(parent, path, deny ? KeyList::ReadOnly : KeyList::Open);
}

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
