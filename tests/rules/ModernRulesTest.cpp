// Our own rule file, entry by entry, on a planted world: what each entry deletes, and what lies
// next to it and stays (bookmarks, saved passwords, preferences, extensions, Quick Access pins).
#include <gtest/gtest.h>

#include <set>

#include "rules/RuleDetection.h"
#include "rules/RuleGuard.h"
#include "rules/RuleSet.h"
#include "rules/RuleSweep.h"
#include "tests/engine/EngineFixtures.h"
#include "tests/rules/RuleWorld.h"

namespace scw::test {
namespace {

using namespace scw::rules;

// Paths start with L: (local AppData), R: (roaming AppData), P: (ProgramData) or W: (Windows).
struct Case {
    std::wstring entry;
    std::vector<std::wstring> goes;
    std::vector<std::wstring> stays;
};

std::wstring InWorld(const RuleWorld& world, const std::wstring& path) {
    const std::wstring rest = path.substr(2);
    switch (path[0]) {
        case L'L':
            return world.local + L"\\" + rest;
        case L'R':
            return world.roaming + L"\\" + rest;
        case L'P':
            return world.programData + L"\\" + rest;
        default:
            return world.windows + L"\\" + rest;
    }
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    const std::pair<const wchar_t*, const wchar_t*> chromium[] = {
        {L"Google Chrome", L"L:Google\\Chrome\\User Data\\"},
        {L"Microsoft Edge", L"L:Microsoft\\Edge\\User Data\\"},
        {L"Brave", L"L:BraveSoftware\\Brave-Browser\\User Data\\"},
        {L"Vivaldi", L"L:Vivaldi\\User Data\\"},
    };
    for (const auto& [name, data] : chromium) {
        const std::wstring d = data;
        const std::vector<std::wstring> kept{d + L"Default\\Bookmarks",
                                             d + L"Default\\Login Data",
                                             d + L"Default\\Preferences",
                                             d + L"Profile 2\\Bookmarks",
                                             d + L"Default\\Extensions\\abc\\1.0\\manifest.json",
                                             d + L"Local State"};
        cases.push_back({name + std::wstring(L" Cache"),
                         {d + L"Default\\Cache\\Cache_Data\\data_0", d + L"Profile 2\\Cache\\Cache_Data\\f_00001a",
                          d + L"Default\\Code Cache\\js\\index", d + L"Profile 2\\GPUCache\\data_1"},
                         kept});
        cases.push_back(
            {name + std::wstring(L" Cookies"),
             {d + L"Default\\Network\\Cookies", d + L"Default\\Network\\Cookies-journal", d + L"Profile 2\\Cookies"},
             kept});
        cases.push_back({name + std::wstring(L" History"),
                         {d + L"Default\\History", d + L"Profile 2\\History-journal", d + L"Default\\Visited Links",
                          d + L"Default\\Top Sites"},
                         kept});
    }
    const std::vector<std::wstring> opera{L"R:Opera Software\\Opera Stable\\Bookmarks",
                                          L"R:Opera Software\\Opera Stable\\Login Data"};
    cases.push_back({L"Opera Cache",
                     {L"L:Opera Software\\Opera Stable\\Cache\\Cache_Data\\data_0",
                      L"R:Opera Software\\Opera Stable\\Code Cache\\js\\index"},
                     opera});
    cases.push_back({L"Opera Cookies", {L"R:Opera Software\\Opera Stable\\Network\\Cookies"}, opera});
    cases.push_back({L"Opera History", {L"R:Opera Software\\Opera Stable\\History"}, opera});

    const std::wstring fx = L"R:Mozilla\\Firefox\\Profiles\\abc.default-release\\";
    const std::vector<std::wstring> firefox{fx + L"places.sqlite", fx + L"logins.json", fx + L"key4.db",
                                            fx + L"prefs.js"};
    cases.push_back({L"Mozilla Firefox Cache",
                     {L"L:Mozilla\\Firefox\\Profiles\\abc.default-release\\cache2\\entries\\0A1B",
                      L"L:Mozilla\\Firefox\\Profiles\\x.old\\thumbnails\\top.png"},
                     firefox});
    cases.push_back({L"Mozilla Firefox Cookies", {fx + L"cookies.sqlite", fx + L"cookies.sqlite-wal"}, firefox});
    cases.push_back({L"Mozilla Firefox Session Restore",
                     {fx + L"sessionstore.jsonlz4", fx + L"sessionstore-backups\\recovery.jsonlz4"},
                     firefox});

    cases.push_back(
        {L"Thumbnail Cache",
         {L"L:Microsoft\\Windows\\Explorer\\thumbcache_256.db", L"L:Microsoft\\Windows\\Explorer\\thumbcache_idx.db"},
         {L"L:Microsoft\\Windows\\Explorer\\iconcache_16.db", L"L:Microsoft\\Windows\\History\\h.dat"}});
    const std::wstring recent = L"R:Microsoft\\Windows\\Recent\\";
    cases.push_back(
        {L"Jump Lists",
         {recent + L"AutomaticDestinations\\5f7b5f1e01b83767.automaticDestinations-ms",
          recent + L"CustomDestinations\\7e4dca80246863e3.customDestinations-ms"},
         {recent + L"AutomaticDestinations\\f01b4d95cf55d32a.automaticDestinations-ms", recent + L"letter.docx.lnk"}});
    cases.push_back(
        {L"Recent Items",
         {recent + L"letter.docx.lnk", recent + L"Holiday.lnk"},
         {recent + L"desktop.ini", recent + L"AutomaticDestinations\\5f7b5f1e01b83767.automaticDestinations-ms"}});
    cases.push_back({L"Windows Error Reporting",
                     {L"P:Microsoft\\Windows\\WER\\ReportArchive\\AppCrash_x\\Report.wer",
                      L"P:Microsoft\\Windows\\WER\\ReportQueue\\Kernel_y\\memory.dmp",
                      L"L:Microsoft\\Windows\\WER\\ReportArchive\\AppHang_z\\Report.wer"},
                     {L"P:Microsoft\\Windows\\WER\\Temp\\keep.txt", L"P:Microsoft\\Windows\\WER\\ReportArchive.txt"}});
    const std::wstring delivery =
        L"W:ServiceProfiles\\NetworkService\\AppData\\Local\\Microsoft\\Windows\\DeliveryOptimization\\";
    cases.push_back({L"Delivery Optimization Cache",
                     {delivery + L"Cache\\0a\\0a1b2c", L"W:SoftwareDistribution\\DeliveryOptimization\\data.dat"},
                     {delivery + L"Logs\\dosvc.etl", L"W:SoftwareDistribution\\Download\\update.cab"}});
    return cases;
}

TEST(ModernRules, EachEntryDeletesItsTracesAndLeavesWhatLiesNextToThem) {
    RuleSet set;
    LoadRuleFile(TestBinFolder() + L"rules\\modern.ini", set, L"rules\\modern.ini");
    for (const RuleProblem& problem : set.problems)
        ADD_FAILURE() << std::string(problem.Text().begin(), problem.Text().end());
    std::set<std::wstring> untested;
    for (const RuleEntry& entry : set.entries) untested.insert(entry.name);

    for (const Case& test : Cases()) {
        SCOPED_TRACE(std::string(test.entry.begin(), test.entry.end()));
        const RuleEntry* entry = set.Find(test.entry);
        ASSERT_NE(entry, nullptr);
        untested.erase(entry->name);
        RuleWorld world;
        for (const std::wstring& file : test.goes) WriteFileText(InWorld(world, file));
        for (const std::wstring& file : test.stays) WriteFileText(InWorld(world, file));
        EXPECT_TRUE(RuleDetector(world.env, 10000).IsDetected(*entry));

        const RuleGuard guard(world.env);
        ItemChain chain;
        RecordingRun run;
        std::vector<RuleProblem> refused;
        ScanRuleEntry(run, chain.node, *entry, guard, &refused);
        EXPECT_TRUE(refused.empty());
        EXPECT_EQ(run.traces.size(), test.goes.size());
        DeleteRuleEntry(run, chain.node, *entry, guard);
        EXPECT_EQ(run.tally.deleted, static_cast<long>(test.goes.size()));
        for (const std::wstring& file : test.goes) EXPECT_FALSE(FileExists(InWorld(world, file))) << file.size();
        for (const std::wstring& file : test.stays) EXPECT_TRUE(FileExists(InWorld(world, file))) << file.size();
    }
    EXPECT_TRUE(untested.empty()) << "every entry has its case";
}

TEST(ModernRules, ErrorReportsGoWithTheirFoldersAndTheReportFoldersStay) {
    RuleWorld world;
    const std::wstring archive = world.programData + L"\\Microsoft\\Windows\\WER\\ReportArchive\\";
    WriteFileText(archive + L"AppCrash_x\\Report.wer");
    RuleSet set;
    LoadRuleFile(TestBinFolder() + L"rules\\modern.ini", set);
    const RuleGuard guard(world.env);
    ItemChain chain;
    RecordingRun run;
    DeleteRuleEntry(run, chain.node, *set.Find(L"Windows Error Reporting"), guard);
    EXPECT_FALSE(FolderExists(archive + L"AppCrash_x"));
    EXPECT_TRUE(FolderExists(archive));
}

}  // namespace
}  // namespace scw::test
