#pragma once
// An entry's ExcludeKeys resolved once per run: which files and registry keys it must leave.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/Environment.h"
#include "rules/RuleEntry.h"
#include "rules/Wildcard.h"

namespace scw::rules {

class RuleExclusions {
public:
    RuleExclusions(const RuleEntry& entry, const Environment& env);

    // The name patterns that keep files in this folder (its key: upper case, ending in a
    // backslash); a pattern "*" keeps every file.
    std::vector<const Wildcard*> KeptIn(const std::wstring& folderKey) const;

    // The key is kept whole: it or a key above it is excluded.
    bool KeepsKey(HKEY root, const std::wstring& path) const;
    bool KeepsValue(HKEY root, const std::wstring& path, const std::wstring& value) const;
    // Something in or below the key is kept, so the key may not go whole.
    bool KeepsSomethingIn(HKEY root, const std::wstring& path) const;

private:
    struct Files {
        Wildcard folder;  // the folder's key; for PATH it ends in "*" (the folder and below)
        std::vector<Wildcard> names;
    };
    struct Key {
        HKEY root;
        std::wstring path;   // upper case
        std::wstring value;  // upper case; empty for the whole key
        bool wholeKey;
    };
    std::vector<Files> files_;
    std::vector<Key> keys_;
    Wildcard everything_{L"*"};
};

}  // namespace scw::rules
