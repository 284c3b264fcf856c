#include "rules/RuleSet.h"

#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "framework/UniqueHandle.h"
#include "rules/RuleFileText.h"
#include "rules/RuleParser.h"
#include "rules/Wildcard.h"

namespace scw::rules {

namespace {

std::wstring NameKey(const std::wstring& name) {
    std::wstring key;
    for (wchar_t c : EntryName(name)) key += FoldCase(c);
    return key;
}

}  // namespace

const RuleEntry* RuleSet::Find(const std::wstring& name) const {
    const std::wstring key = NameKey(name);
    for (const RuleEntry& entry : entries)
        if (NameKey(entry.name) == key) return &entry;
    return nullptr;
}

std::vector<std::wstring> RuleFilesIn(const std::wstring& programFolder) {
    std::vector<std::wstring> files;
    const std::wstring community = programFolder + kCommunityRuleFile;
    if (::GetFileAttributesW(community.c_str()) != INVALID_FILE_ATTRIBUTES) files.push_back(community);
    const std::wstring folder = programFolder + kRuleFolder + L"\\";
    std::vector<std::wstring> own;
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((folder + L"*.ini").c_str(), &data));
    if (find) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) own.push_back(folder + data.cFileName);
        } while (::FindNextFileW(find.Get(), &data));
    }
    std::sort(own.begin(), own.end());
    files.insert(files.end(), own.begin(), own.end());
    return files;
}

void LoadRuleFile(const std::wstring& path, RuleSet& into, const std::wstring& shownAs) {
    const std::wstring& name = shownAs.empty() ? path : shownAs;
    std::wstring error;
    const std::optional<std::wstring> text = ReadRuleFileText(path, error);
    if (!text) {
        into.problems.push_back({name, 0, error});
        return;
    }
    std::vector<RuleEntry> entries;
    ParseRuleText(*text, name, entries, into.problems);
    std::unordered_set<std::wstring> known;
    for (const RuleEntry& entry : into.entries) known.insert(NameKey(entry.name));
    for (RuleEntry& entry : entries) {
        if (!known.insert(NameKey(entry.name)).second) {
            into.problems.push_back({name, entry.line, L"[" + entry.name + L"] is already known: this one is ignored"});
            continue;
        }
        into.entries.push_back(std::move(entry));
    }
}

RuleSet LoadRuleSet(const std::wstring& programFolder) {
    RuleSet set;
    for (const std::wstring& file : RuleFilesIn(programFolder))
        LoadRuleFile(file, set, file.substr(programFolder.size()));
    return set;
}

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace scw::rules
