// Registry targets against the real registry of the test prefix.
#include <gtest/gtest.h>

#include "engine/Sweep.h"
#include "framework/UniqueHandle.h"
#include "engine/Targets.h"
#include "tests/common/TestSupport.h"
#include "tests/engine/EngineFixtures.h"

namespace scw::test {
namespace {

class RegistrySweep : public ::testing::Test {
protected:
    TestKey key;
    ItemChain chain;
    RecordingRun run;
    std::wstring Sub(const std::wstring& rest) const { return key.Path() + L"\\" + rest; }
};

TEST_F(RegistrySweep, WholeKeyListsSubkeyValuesDepthFirstThenItsOwnAndDeletesAsOneKeyPerLevel) {
    SetRegString(HKEY_CURRENT_USER, Sub(L"T\\A"), L"va", L"1");
    SetRegString(HKEY_CURRENT_USER, Sub(L"T\\B"), L"vb", L"2");
    SetRegString(HKEY_CURRENT_USER, Sub(L"T"), L"own", L"3");
    ASSERT_TRUE(AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"T"), L"*.*", KindUnlisted));

    ScanTargets(run, chain.node);
    ASSERT_EQ(run.traces.size(), 3u);
    EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"va", L"vb", L"own"}));
    EXPECT_EQ(run.traces[0].location, L"HKEY_CURRENT_USER\\" + Sub(L"T\\A"));
    EXPECT_EQ(run.traces[2].location, L"HKEY_CURRENT_USER\\" + Sub(L"T"));
    EXPECT_TRUE(run.traces[0].isRegistry);
    EXPECT_EQ(run.traces[0].item, L"Item");
    // Counted into the item, its program and its category alike.
    EXPECT_EQ(chain.node.traceCount, 3);
    EXPECT_EQ(chain.program.traceCount, 3);
    EXPECT_EQ(chain.category.traceCount, 3);
    EXPECT_EQ(chain.node.scanState, ScanDone);

    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{true, 1}, {true, 1}, {true, 1}}));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"T")));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key.Path()));
}

TEST_F(RegistrySweep, KeyWithoutValuesCountsOneDeletedAndAMissingKeyReportsNothing) {
    HKEY created = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, Sub(L"Empty").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &created, nullptr));
    RegCloseKey(created);
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"Empty"), L"*.*", KindPlain);
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"Missing"), L"*.*", KindPlain);
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"Missing"), L"value", KindPlain);

    ScanTargets(run, chain.node);
    EXPECT_TRUE(run.traces.empty());
    DeleteTargets(run, chain.node);
    EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{true, 0}}));
    EXPECT_EQ(run.tally.deleted, 1);
    EXPECT_EQ(run.tally.failed, 0);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"Empty")));
}

TEST_F(RegistrySweep, NamedValueIsListedEvenWhenLargerThanTheQueryBufferAndOnlyItIsDeleted) {
    std::vector<BYTE> big(20000, 7);
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, key.Path().c_str(), L"Big", REG_BINARY, big.data(),
                                             static_cast<DWORD>(big.size())));
    SetRegString(HKEY_CURRENT_USER, key.Path(), L"Small", L"s");
    SetRegString(HKEY_CURRENT_USER, key.Path(), L"Sentinel", L"stays");
    AddTarget(chain.node, HKEY_CURRENT_USER, key.Path(), L"Big", KindPlain);
    AddTarget(chain.node, HKEY_CURRENT_USER, key.Path(), L"Small", KindPlain);
    AddTarget(chain.node, HKEY_CURRENT_USER, key.Path(), L"Absent", KindPlain);

    ScanTargets(run, chain.node);
    EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"Big", L"Small"}));

    DeleteTargets(run, chain.node);
    // The absent value is no failure: there was nothing to delete.
    EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{true, 0}, {true, 0}}));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, key.Path(), L"Big"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, key.Path(), L"Sentinel"));
}

TEST_F(RegistrySweep, StopEventEndsTheKeyEnumeration) {
    for (int i = 0; i < 50; ++i) SetRegString(HKEY_CURRENT_USER, Sub(L"Many"), L"v" + std::to_wstring(i), L"x");
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"Many"), L"*.*", KindPlain);
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"Many"), L"v1", KindPlain);
    run.stopAfter = 1;
    ScanTargets(run, chain.node);
    EXPECT_EQ(run.traces.size(), 1u);
    EXPECT_EQ(chain.node.scanState, ScanDone);
}

}  // namespace
}  // namespace scw::test

namespace scw::test {
namespace {

// Gives the key a list that denies every access to everyone, or restores an open one.
bool DenyAll(HKEY parent, const std::wstring& path, bool deny) {
    UniqueKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, WRITE_DAC, key.Put()) != ERROR_SUCCESS) return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    BYTE aclBuffer[256];
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION);
    if (deny)
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_ALL_ACCESS | DELETE, everyone);
    else
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS | DELETE, everyone);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    bool ok = RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    FreeSid(everyone);
    return ok;
}

TEST_F(RegistrySweep, WholeKeyDeleteEndsWhenASubkeyWillNotGo) {
    SetRegString(HKEY_CURRENT_USER, Sub(L"T\\Locked"), L"v", L"1");
    SetRegString(HKEY_CURRENT_USER, Sub(L"T\\Free"), L"v", L"1");
    ASSERT_TRUE(DenyAll(HKEY_CURRENT_USER, Sub(L"T\\Locked"), true));
    UniqueKey probe;
    bool enforced = RegOpenKeyExW(HKEY_CURRENT_USER, Sub(L"T\\Locked").c_str(), 0, KEY_ALL_ACCESS, probe.Put()) !=
                    ERROR_SUCCESS;
    probe.Reset();
    if (enforced) {
        AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"T"), L"*.*", KindPlain);
        DeleteTargets(run, chain.node);
        // The free subkey goes; the locked one and so its parent stay, and nothing is reported for them.
        EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{true, 1}}));
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"T\\Free")));
        EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"T")));
    }
    DenyAll(HKEY_CURRENT_USER, Sub(L"T\\Locked"), false);
    if (!enforced) GTEST_SKIP() << "key access lists are not enforced here";
}

}  // namespace
}  // namespace scw::test
