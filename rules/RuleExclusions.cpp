#include "rules/RuleExclusions.h"

#include "engine/FolderSafety.h"
#include "engine/ListedFile.h"
#include "rules/RuleVariables.h"

namespace scw::rules {

namespace {

std::wstring Upper(std::wstring_view text) {
    std::wstring upper;
    upper.reserve(text.size());
    for (wchar_t c : text) upper += FoldCase(c);
    return upper;
}

bool AtOrBelow(const std::wstring& path, const std::wstring& above) {
    return path == above || above.empty() ||
           (path.size() > above.size() && path.rfind(above, 0) == 0 && path[above.size()] == L'\\');
}

}  // namespace

RuleExclusions::RuleExclusions(const RuleEntry& entry, const Environment& env) {
    for (const ExcludeKey& exclude : entry.excludes) {
        if (exclude.kind == ExcludeKind::Reg) {
            keys_.push_back({exclude.root, Upper(exclude.keyPath),
                             exclude.patterns.empty() ? L"" : Upper(exclude.patterns[0]), exclude.patterns.empty()});
            continue;
        }
        std::vector<Wildcard> names;
        for (const std::wstring& pattern : exclude.patterns) names.emplace_back(pattern);
        if (names.empty()) names.emplace_back(L"*");
        const std::wstring tail = exclude.kind == ExcludeKind::Path ? L"*" : L"";
        for (const std::wstring& expanded : ExpandVariables(exclude.folder, env)) {
            const std::optional<std::wstring> resolved = ResolveDots(expanded);
            if (!resolved) continue;
            // Files are judged where they really are: a folder spelled through a link is kept
            // under its final path too.
            std::vector<std::wstring> spellings{FolderKey(*resolved)};
            if (!HasWildcard(*resolved))
                if (auto final = ListingFolder(*resolved + L"\\"); final && FolderKey(*final) != spellings[0])
                    spellings.push_back(FolderKey(*final));
            for (const std::wstring& key : spellings) files_.push_back({Wildcard(key + tail), names});
        }
    }
}

std::vector<const Wildcard*> RuleExclusions::KeptIn(const std::wstring& folderKey) const {
    std::vector<const Wildcard*> kept;
    for (const Files& files : files_)
        if (files.folder.Matches(folderKey))
            for (const Wildcard& name : files.names) kept.push_back(&name);
    return kept;
}

bool RuleExclusions::KeepsKey(HKEY root, const std::wstring& path) const {
    const std::wstring upper = Upper(path);
    for (const Key& key : keys_)
        if (key.root == root && key.wholeKey && AtOrBelow(upper, key.path)) return true;
    return false;
}

bool RuleExclusions::KeepsValue(HKEY root, const std::wstring& path, const std::wstring& value) const {
    if (KeepsKey(root, path)) return true;
    const std::wstring upper = Upper(path), name = Upper(value);
    for (const Key& key : keys_)
        if (key.root == root && !key.wholeKey && key.path == upper && key.value == name) return true;
    return false;
}

bool RuleExclusions::KeepsSomethingIn(HKEY root, const std::wstring& path) const {
    const std::wstring upper = Upper(path);
    for (const Key& key : keys_)
        if (key.root == root && AtOrBelow(key.path, upper)) return true;
    return false;
}

}  // namespace scw::rules
