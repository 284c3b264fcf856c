// Reading rule files: every grammar point of the format, and a bad key or entry never stopping the rest.
#include <gtest/gtest.h>

#include <algorithm>

#include "rules/RuleFileText.h"
#include "rules/RuleParser.h"
#include "rules/RuleSet.h"
#include "rules/Wildcard.h"
#include "tests/common/TestSupport.h"
#include "tests/rules/SyntheticRuleFile.h"

namespace scw::test {
namespace {

using namespace scw::rules;

const wchar_t kGrammar[] =
    L"; a comment\r\n"
    L"Stray=before any entry\r\n"
    L"[Google Chrome Cache *]\r\n"
    L"LangSecRef=3029\r\n"
    L"ID=12\r\n"
    L"Author=someone\r\n"
    L"Default=False\r\n"
    L"Tags=browser\r\n"
    L"SpecialDetect=DET_CHROME\r\n"
    L"Detect=HKCU\\Software\\Google\r\n"
    L"Detect2=HKEY_LOCAL_MACHINE\\Software\\Google\r\n"
    L"DetectFile=%LocalAppData%\\Google\\Chrome*\r\n"
    L"DetectOS=6.2|\r\n"
    L"Warning=Closes your tabs.\r\n"
    L"FileKey1=%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache\\|*.*|RECURSE\r\n"
    L"FileKey2=%LocalAppData%\\Google\\Chrome\\User Data\\*|Cookies;Cookies-journal\r\n"
    L"FileKey3=%AppData%\\Junk|*|REMOVESELF\r\n"
    L"FileKey4=%AppData%\\Bad|*.x|SOMETIMES\r\n"
    L"FileKey5=%AppData%\\*\\*\\*\\*\\*\\*|*?*?*?\r\n"
    L"FileKey6=no pattern here\r\n"
    L"RegKey1=HKCU\\Software\\Google\\Chrome\\Recent\r\n"
    L"RegKey2=HKEY_CURRENT_USER\\Software\\Google\\Chrome\\Settings|Last Folder\r\n"
    L"RegKey3=HKCU\\Software\r\n"
    L"RegKey4=HKXX\\Software\\Google\\Chrome\r\n"
    L"ExcludeKey1=FILE|%LocalAppData%\\Google\\Chrome\\User Data\\Default\\|Cookies\r\n"
    L"ExcludeKey2=PATH|%LocalAppData%\\Google\\Chrome\\User Data\\System Profile\\\r\n"
    L"ExcludeKey3=REG|HKCU\\Software\\Google\\Chrome\\Recent\\Pinned\r\n"
    L"ExcludeKey4=DISK|C:\\\r\n"
    L"Colour=blue\r\n"
    L"[Firefox Things]\r\n"
    L"Section=My Browsers\r\n"
    L"LangSecRef=3026\r\n"
    L"[  *]\r\n"
    L"FileKey1=C:\\x|*\r\n"
    L"[No Group *]\r\n"
    L"LangSecRef=9999\r\n"
    L"FileKey1=%Temp%\\NoGroup|*.tmp\r\n";

TEST(RuleFile, ReadsEveryGrammarPointAndSaysWhereEachProblemIsWithoutStoppingTheRest) {
    std::vector<RuleEntry> entries;
    std::vector<RuleProblem> problems;
    ParseRuleText(kGrammar, L"winapp2.ini", entries, problems);
    ASSERT_EQ(entries.size(), 3u);

    const RuleEntry& chrome = entries[0];
    EXPECT_EQ(chrome.name, L"Google Chrome Cache");
    EXPECT_EQ(chrome.group, L"Google Chrome");
    EXPECT_EQ(chrome.sourceFile, L"winapp2.ini");
    EXPECT_EQ(chrome.line, 3);
    EXPECT_EQ(chrome.detectKeys.size(), 2u);
    EXPECT_EQ(chrome.detectFiles, std::vector<std::wstring>{L"%LocalAppData%\\Google\\Chrome*"});
    EXPECT_EQ(chrome.detectOs, L"6.2|");
    EXPECT_EQ(chrome.specialDetects, std::vector<std::wstring>{L"DET_CHROME"});
    EXPECT_EQ(chrome.warning, L"Closes your tabs.");
    ASSERT_EQ(chrome.fileKeys.size(), 3u);
    // A trailing backslash before the bar is the same folder.
    EXPECT_EQ(chrome.fileKeys[0].folder, L"%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache");
    EXPECT_TRUE(chrome.fileKeys[0].recurse);
    EXPECT_FALSE(chrome.fileKeys[0].removeSelf);
    EXPECT_EQ(chrome.fileKeys[1].patterns, (std::vector<std::wstring>{L"Cookies", L"Cookies-journal"}));
    EXPECT_TRUE(chrome.fileKeys[2].removeSelf && chrome.fileKeys[2].recurse);
    ASSERT_EQ(chrome.regKeys.size(), 2u);
    EXPECT_TRUE(chrome.regKeys[0].wholeKey);
    EXPECT_EQ(chrome.regKeys[0].root, HKEY_CURRENT_USER);
    EXPECT_EQ(chrome.regKeys[1].value, L"Last Folder");
    EXPECT_EQ(chrome.regKeys[1].path, L"Software\\Google\\Chrome\\Settings");
    ASSERT_EQ(chrome.excludes.size(), 3u);
    EXPECT_EQ(chrome.excludes[0].kind, ExcludeKind::File);
    EXPECT_EQ(chrome.excludes[0].patterns, std::vector<std::wstring>{L"Cookies"});
    EXPECT_EQ(chrome.excludes[1].kind, ExcludeKind::Path);
    EXPECT_TRUE(chrome.excludes[1].patterns.empty());
    EXPECT_EQ(chrome.excludes[2].kind, ExcludeKind::Reg);

    // Section= names the group even when a LangSecRef follows it.
    EXPECT_EQ(entries[1].group, L"My Browsers");
    EXPECT_EQ(entries[2].group, L"Other");

    std::vector<std::wstring> said;
    for (const RuleProblem& problem : problems) said.push_back(problem.Text());
    const std::vector<std::wstring> expected{
        L"winapp2.ini:2: key outside any entry: skipped",
        L"winapp2.ini:18: FileKey flag SOMETIMES is unknown: skipped",
        L"winapp2.ini:19: more than 10 wildcards: refused",
        L"winapp2.ini:20: FileKey is not folder|patterns: skipped",
        L"winapp2.ini:23: RegKey HKCU\\Software would delete a key that holds everything else: refused",
        L"winapp2.ini:24: RegKey names no registry key: skipped",
        L"winapp2.ini:28: ExcludeKey is not FILE|, PATH| or REG|: skipped",
        L"winapp2.ini:29: unknown key Colour: ignored",
        L"winapp2.ini:33: entry without a name: skipped",
        L"winapp2.ini:36: LangSecRef 9999 names no known group",
        L"winapp2.ini:35: [No Group] names no group: listed under Other",
    };
    EXPECT_EQ(said, expected);
}

TEST(RuleFile, PatternsIgnoreCaseAndStarDotStarAlsoMatchesNamesWithoutAnExtension) {
    EXPECT_TRUE(Wildcard(L"*.*").Matches(L"Cookies"));
    EXPECT_TRUE(Wildcard(L"*.*").Matches(L"data_0"));
    EXPECT_TRUE(Wildcard(L"cache.*").Matches(L"CACHE"));
    EXPECT_TRUE(Wildcard(L"AMD_*.log").Matches(L"amd_install.LOG"));
    EXPECT_FALSE(Wildcard(L"AMD_*.log").Matches(L"amd_install.log.txt"));
    EXPECT_TRUE(Wildcard(L"f_??????").Matches(L"f_00001a"));
    EXPECT_FALSE(Wildcard(L"f_??????").Matches(L"f_0001a"));
    EXPECT_TRUE(Wildcard(L"*cookies*").Matches(L"Cookies-journal"));
    EXPECT_FALSE(Wildcard(L"*.log").Matches(L"log"));
    EXPECT_TRUE(Wildcard(L"ÄRGER*").Matches(L"ärger.txt"));
}

TEST(RuleFile, ReadsUtf16AndUtf8FilesBesideTheProgramAndKeepsTheFirstEntryOfAName) {
    TempFolder temp(L"rulefiles");
    const std::string utf8 = "\xEF\xBB\xBF[Caf\xC3\xA9 *]\r\nLangSecRef=3021\r\nFileKey1=C:\\x|*.tmp\r\n";
    WriteFileText(temp / L"winapp2.ini", utf8);
    std::wstring wide = L"\xFEFF[Own *]\r\nSection=Ours\r\n[caf\x00C9]\r\nSection=Twice\r\n";
    WriteFileText(temp / L"rules\\b.ini", std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
    WriteFileText(temp / L"rules\\a.ini", "[A First]\nSection=Ours\n");
    MakeFolders(temp / L"rules\\folder.ini\\");

    const RuleSet set = LoadRuleSet(temp.Path());
    std::vector<std::wstring> names;
    for (const RuleEntry& entry : set.entries) names.push_back(entry.name + L"@" + entry.sourceFile);
    EXPECT_EQ(names,
              (std::vector<std::wstring>{L"Caf\x00E9@winapp2.ini", L"A First@rules\\a.ini", L"Own@rules\\b.ini"}));
    ASSERT_EQ(set.problems.size(), 1u);
    EXPECT_EQ(set.problems[0].Text(), L"rules\\b.ini:3: [caf\x00C9] is already known: this one is ignored");
    EXPECT_NE(set.Find(L"own *"), nullptr);
    EXPECT_NE(set.Find(L"CAF\x00C9"), nullptr);
    EXPECT_EQ(set.Find(L"Own **"), nullptr);

    // No rule file at all is no problem.
    TempFolder empty(L"rulefiles");
    EXPECT_TRUE(LoadRuleSet(empty.Path()).entries.empty());
    EXPECT_TRUE(LoadRuleSet(empty.Path()).problems.empty());
}

TEST(RuleFile, ASyntheticFileOfFourThousandEntriesLoadsWhole) {
    TempFolder temp(L"rulefiles");
    WriteFileText(temp / L"winapp2.ini", SyntheticRuleFile(4000));
    const RuleSet set = LoadRuleSet(temp.Path());
    EXPECT_EQ(set.entries.size(), 4000u);
    EXPECT_TRUE(set.problems.empty()) << (set.problems.empty() ? L"" : set.problems[0].Text()).size();
    EXPECT_EQ(set.entries[3999].name, L"Product 3999");
    EXPECT_EQ(set.entries[17].group, L"Games");
    EXPECT_EQ(set.entries[8].group, L"Google Chrome");
}

}  // namespace
}  // namespace scw::test
