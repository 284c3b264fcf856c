#pragma once
// A planted world for rule entries: a profile with Documents and AppData, and a Windows folder
// with System32, all in a temporary folder the entries' variables point at.
#include <shlobj.h>

#include "engine/Environment.h"
#include "rules/RuleParser.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

struct RuleWorld {
    TempFolder temp{L"ruleworld"};
    std::wstring profile = temp / L"Users\\me";
    std::wstring documents = profile + L"\\Documents";
    std::wstring roaming = profile + L"\\AppData\\Roaming";
    std::wstring local = profile + L"\\AppData\\Local";
    std::wstring windows = temp / L"Windows";
    std::wstring programData = temp / L"ProgramData";
    OverrideEnvironment env;

    RuleWorld() {
        for (const std::wstring& folder : {documents, roaming, local, windows + L"\\System32", programData})
            MakeFolders(folder + L"\\");
        env.SetKnownFolder(CSIDL_PROFILE, profile);
        env.SetKnownFolder(CSIDL_PERSONAL, documents);
        env.SetKnownFolder(CSIDL_APPDATA, roaming);
        env.SetKnownFolder(CSIDL_LOCAL_APPDATA, local);
        env.SetKnownFolder(CSIDL_DESKTOPDIRECTORY, profile + L"\\Desktop");
        env.SetKnownFolder(CSIDL_COMMON_APPDATA, programData);
        env.SetWindowsFolder(windows);
    }
};

// The one entry of "[Test *]" with these keys, one a line.
inline rules::RuleEntry EntryOf(const std::wstring& keys, std::vector<rules::RuleProblem>* problems = nullptr) {
    std::vector<rules::RuleEntry> entries;
    std::vector<rules::RuleProblem> said;
    rules::ParseRuleText(L"[Test *]\nSection=Tests\n" + keys, L"test.ini", entries, problems ? *problems : said);
    return entries.empty() ? rules::RuleEntry{} : entries[0];
}

}  // namespace scw::test
