// Registry targets against the real registry of the test prefix.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "engine/Registry.h"

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
        // The free subkey goes; the locked one and so its parent stay, each counted as undeleted.
        EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{true, 1}, {false, 0}, {false, 0}}));
        EXPECT_EQ(run.tally.failed, 2);
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"T\\Free")));
        EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"T")));
    }
    DenyAll(HKEY_CURRENT_USER, Sub(L"T\\Locked"), false);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, Sub(L"T\\Locked"), L"v"));
    if (!enforced) GTEST_SKIP() << "key access lists are not enforced here";
}

TEST_F(RegistrySweep, NamedValueOfAKeyThatWillNotOpenCountsAsUndeletedOnlyWhenItIsThere) {
    SetRegString(HKEY_CURRENT_USER, Sub(L"L"), L"v", L"1");
    ASSERT_TRUE(DenyWrites(HKEY_CURRENT_USER, Sub(L"L"), true));
    UniqueKey probe;
    bool enforced =
        RegOpenKeyExW(HKEY_CURRENT_USER, Sub(L"L").c_str(), 0, KEY_ALL_ACCESS, probe.Put()) != ERROR_SUCCESS;
    probe.Reset();
    if (enforced) {
        AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"L"), L"v", KindPlain);
        AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"L"), L"absent", KindPlain);
        DeleteTargets(run, chain.node);
        EXPECT_EQ(run.deletions, (std::vector<std::pair<bool, DWORD>>{{false, 0}}));
    }
    DenyWrites(HKEY_CURRENT_USER, Sub(L"L"), false);
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, Sub(L"L"), L"v"));
    if (!enforced) GTEST_SKIP() << "key access lists are not enforced here";
}

TEST_F(RegistrySweep, RegistryLinkIsNeverFollowedAndItsDeleteTakesTheLinkAlone) {
    // What the links point at: a key with a value and a subkey of its own.
    SetRegString(HKEY_CURRENT_USER, Sub(L"Elsewhere\\Child"), L"deep", L"1");
    SetRegString(HKEY_CURRENT_USER, Sub(L"Elsewhere"), L"keep", L"1");
    SetRegString(HKEY_CURRENT_USER, Sub(L"T"), L"own", L"1");
    ASSERT_TRUE(MakeRegistryLink(HKEY_CURRENT_USER, Sub(L"T\\Link"), Sub(L"Elsewhere")));
    ASSERT_TRUE(MakeRegistryLink(HKEY_CURRENT_USER, Sub(L"TopLink"), Sub(L"Elsewhere")));
    ASSERT_TRUE(RegValueExists(HKEY_CURRENT_USER, Sub(L"T\\Link"), L"keep")) << "the link works when followed";
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"T"), L"*.*", KindPlain);
    AddTarget(chain.node, HKEY_CURRENT_USER, Sub(L"TopLink"), L"*.*", KindPlain);

    ScanTargets(run, chain.node);
    EXPECT_EQ(run.Names(), (std::vector<std::wstring>{L"own"}));
    DeleteTargets(run, chain.node);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"T")));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Sub(L"TopLink")));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, Sub(L"Elsewhere"), L"keep"));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, Sub(L"Elsewhere\\Child"), L"deep"));
    EXPECT_EQ(run.tally.failed, 0);
}

// A list that fails at every index: a key deleted after it was opened, a handle without the right to list.
TEST_F(RegistrySweep, SubkeyListEndsWhenEveryIndexFails) {
    SetRegString(HKEY_CURRENT_USER, Sub(L"Accounts\\1111"), L"v", L"1");
    SetRegString(HKEY_CURRENT_USER, Sub(L"Accounts\\") + std::wstring(256, L'z'), L"v", L"1");
    UniqueKey listing, valuesOnly, deleted;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, Sub(L"Accounts").c_str(), 0, KEY_READ, listing.Put()));
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CURRENT_USER, Sub(L"Accounts").c_str(), 0, KEY_QUERY_VALUE, valuesOnly.Put()));
    SetRegString(HKEY_CURRENT_USER, Sub(L"Gone\\a"), L"v", L"1");
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, Sub(L"Gone").c_str(), 0, KEY_READ, deleted.Put()));
    DeleteRegTree(HKEY_CURRENT_USER, Sub(L"Gone"));

    auto names = std::make_shared<std::vector<std::vector<std::wstring>>>();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread lister([=, &listing, &valuesOnly, &deleted] {
        for (HKEY key : {listing.Get(), valuesOnly.Get(), deleted.Get()}) names->push_back(SubkeyNames(key));
        *done = true;
    });
    bool ended = WaitUntil([&] { return done->load(); }, 10000);
    if (ended) lister.join(); else lister.detach();
    ASSERT_TRUE(ended) << "the subkey list never ended";
    EXPECT_EQ((*names)[0], (std::vector<std::wstring>{L"1111", std::wstring(256, L'z')}));
}

}  // namespace
}  // namespace scw::test
