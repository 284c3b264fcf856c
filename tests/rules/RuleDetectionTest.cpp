// Variables and detection: where an entry's paths lead, and whether its program is there.
#include <gtest/gtest.h>

#include "rules/RuleDetection.h"
#include "rules/RuleVariables.h"
#include "tests/rules/RuleWorld.h"

namespace scw::test {
namespace {

using namespace scw::rules;

TEST(RuleVariables, NameTheKnownFoldersBothProgramFilesFoldersAndAnyEnvironmentVariable) {
    RuleWorld world;
    world.env.SetKnownFolder(CSIDL_PROGRAM_FILES, L"C:\\PF");
    world.env.SetKnownFolder(CSIDL_PROGRAM_FILESX86, L"C:\\PF86\\");
    world.env.SetKnownFolder(CSIDL_MYMUSIC, L"C:\\Music");
    world.env.SetVariable(L"SCW_RULE_TEST", L"D:\\elsewhere");
    world.env.SetVariable(L"PUBLIC", L"C:\\Users\\Public");
    const std::wstring local = world.local;
    const std::wstring low = world.profile + L"\\AppData\\LocalLow\\x";
    using Paths = std::vector<std::wstring>;
    EXPECT_EQ(ExpandVariables(L"%ProgramFiles%\\App", world.env), (Paths{L"C:\\PF\\App", L"C:\\PF86\\App"}));
    EXPECT_EQ(ExpandVariables(L"%localappdata%\\A", world.env), Paths{local + L"\\A"});
    EXPECT_EQ(ExpandVariables(L"%LocalLowAppData%\\x", world.env), Paths{low});
    EXPECT_EQ(ExpandVariables(L"%LocalAppDataLow%\\x", world.env), Paths{low});
    EXPECT_EQ(ExpandVariables(L"%WinDir%\\Temp", world.env), Paths{world.windows + L"\\Temp"});
    EXPECT_EQ(ExpandVariables(L"%SystemDrive%\\", world.env), Paths{L"C:\\"});
    EXPECT_EQ(ExpandVariables(L"%Music%|%Public%", world.env), Paths{L"C:\\Music|C:\\Users\\Public"});
    EXPECT_EQ(ExpandVariables(L"%SCW_RULE_TEST%\\y", world.env), Paths{L"D:\\elsewhere\\y"});
    EXPECT_TRUE(ExpandVariables(L"%SCW_RULE_UNSET%\\y", world.env).empty());
    EXPECT_EQ(ExpandVariables(L"50%", world.env), Paths{L"50%"});

    EXPECT_EQ(ResolveDots(L"C:\\a\\..\\b\\.\\\\c\\"), L"C:\\b\\c");
    EXPECT_EQ(ResolveDots(L"C:"), L"C:\\");
    EXPECT_EQ(ResolveDots(L"C:\\a\\..\\.."), std::nullopt);
    EXPECT_EQ(ResolveDots(L"\\a\\b"), std::nullopt);
    EXPECT_EQ(ResolveDots(L"a\\b"), std::nullopt);
    EXPECT_EQ(ResolveDots(L"\\\\?\\C:\\a"), std::nullopt);
    EXPECT_EQ(ResolveDots(L"\\\\server\\share\\a\\..\\b"), L"\\\\server\\share\\b");
}

TEST(RuleDetection, AnyKeyFileOsRangeOrProgramFolderDetectsAnEntry) {
    RuleWorld world;
    TestKey key(HKEY_CURRENT_USER, L"detect");
    WriteFileText(world.local + L"\\Vendor Two\\App\\profile.cfg");
    MakeFolders(world.local + L"\\Google\\Chrome\\User Data\\");
    RuleDetector detector(world.env, 10000);
    auto detected = [&](const std::wstring& keys) { return detector.IsDetected(EntryOf(keys)); };

    EXPECT_TRUE(detected(L"FileKey1=C:\\x|*.tmp\n"));
    EXPECT_TRUE(detected(L"Detect=HKCU\\" + key.Path() + L"\n"));
    EXPECT_TRUE(detected(L"Detect=HKEY_CURRENT_USER\\" + key.Path() + L"\n"));
    EXPECT_FALSE(detected(L"Detect=HKCU\\" + key.Path() + L"\\Missing\n"));
    EXPECT_TRUE(detected(L"Detect1=HKCU\\" + key.Path() + L"\\Missing\nDetect2=HKCU\\" + key.Path() + L"\n"));
    EXPECT_TRUE(detected(L"DetectFile=%LocalAppData%\\Vendor Two\n"));
    EXPECT_TRUE(detected(L"DetectFile=%LocalAppData%\\Vendor*\\App\\*.cfg\n"));
    EXPECT_TRUE(detected(L"DetectFile=%LocalAppData%\\*\\App\\PROFILE.CFG\n"));
    EXPECT_FALSE(detected(L"DetectFile=%LocalAppData%\\Vendor*\\App\\*.ini\n"));
    EXPECT_FALSE(detected(L"DetectFile=%SCW_RULE_UNSET%\\App\n"));
    EXPECT_TRUE(detected(L"DetectOS=6.2|\n"));
    EXPECT_TRUE(detected(L"DetectOS=10.0|10.0\n"));
    EXPECT_TRUE(detected(L"DetectOS=|10.0.19041\n"));
    EXPECT_FALSE(detected(L"DetectOS=|6.1\n"));
    EXPECT_FALSE(detected(L"DetectOS=10.1|\n"));
    EXPECT_TRUE(detected(L"SpecialDetect=DET_CHROME\n"));
    EXPECT_FALSE(detected(L"SpecialDetect=DET_MOZILLA\n"));
    EXPECT_TRUE(detected(L"SpecialDetect=DET_MOZILLA\nDetectOS=6.1|\n"));
}

}  // namespace
}  // namespace scw::test
