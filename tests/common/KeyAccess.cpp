#include "tests/common/KeyAccess.h"

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

}  // namespace

bool DenyAll(HKEY parent, const std::wstring& path, bool deny) {
    return SetKeyList(parent, path, deny ? KeyList::Closed : KeyList::Open);
}

bool DenyWrites(HKEY parent, const std::wstring& path, bool deny) {
    return SetKeyList(parent, path, deny ? KeyList::ReadOnly : KeyList::Open);
}

bool WritesDenied::Enforced() const {
    UniqueKey probe;
    return denied_ && RegOpenKeyExW(parent_, path_.c_str(), 0, KEY_ALL_ACCESS, probe.Put()) != ERROR_SUCCESS;
}

}  // namespace scw::test
