#include "rules/RuleParser.h"

#include <optional>

#include "rules/RegistryPath.h"
#include "rules/RuleGroups.h"
#include "rules/RuleGuard.h"
#include "rules/Wildcard.h"

namespace scw::rules {

namespace {

std::wstring Trim(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return L"";
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(Trim(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start)));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

std::wstring WithoutTrailingSlashes(std::wstring folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

// "FileKey12" is "filekey"; the number only keeps keys apart.
std::wstring KeyKind(const std::wstring& key) {
    size_t end = key.size();
    while (end > 0 && iswdigit(key[end - 1])) --end;
    std::wstring kind;
    for (size_t i = 0; i < end; ++i) kind += static_cast<wchar_t>(towlower(key[i]));
    return kind;
}

std::vector<std::wstring> Patterns(const std::wstring& text) {
    std::vector<std::wstring> patterns;
    for (std::wstring& pattern : Split(text, L';'))
        if (!pattern.empty()) patterns.push_back(std::move(pattern));
    return patterns;
}

bool IsName(const std::wstring& pattern) {
    return pattern.find_first_of(L"\\/:") == std::wstring::npos;
}

class Reader {
public:
    Reader(const std::wstring& fileName, std::vector<RuleEntry>& entries, std::vector<RuleProblem>& problems)
        : file_(fileName), entries_(entries), problems_(problems) {}

    void Line(const std::wstring& raw, int number) {
        line_ = number;
        const std::wstring text = Trim(raw);
        if (text.empty() || text[0] == L';' || text[0] == L'#') return;
        if (text.size() > kMaxLineChars) return Problem(L"line longer than 8192 characters, skipped");
        if (text[0] == L'[') return Section(text);
        const size_t equals = text.find(L'=');
        if (equals == std::wstring::npos) return Problem(L"neither a section nor key=value: skipped");
        if (!entry_) {
            if (!skippingSection_) Problem(L"key outside any entry: skipped");
            return;
        }
        Key(Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)));
    }

    void Finish() { Close(); }

private:
    void Problem(const std::wstring& message) { problems_.push_back({file_, line_, message}); }

    void Section(const std::wstring& text) {
        Close();
        skippingSection_ = false;
        sectionNamed_ = false;
        if (text.back() != L']') return Problem(L"section header without its closing ']': skipped");
        std::wstring name = EntryName(text.substr(1, text.size() - 2));
        if (name.empty()) {
            skippingSection_ = true;
            return Problem(L"entry without a name: skipped");
        }
        entry_.emplace();
        entry_->name = std::move(name);
        entry_->sourceFile = file_;
        entry_->line = line_;
    }

    void Close() {
        if (!entry_) return;
        if (entry_->group.empty()) {
            problems_.push_back({file_, entry_->line, L"[" + entry_->name + L"] names no group: listed under Other"});
            entry_->group = kOtherGroup;
        }
        entries_.push_back(std::move(*entry_));
        entry_.reset();
    }

    bool TooWild(const std::wstring& value) {
        if (WildcardCount(value) <= kMaxWildcards) return false;
        Problem(L"more than 10 wildcards: refused");
        return true;
    }

    void Key(const std::wstring& key, const std::wstring& value) {
        const std::wstring kind = KeyKind(key);
        RuleEntry& entry = *entry_;
        if (kind == L"langsecref") {
            std::optional<std::wstring> group = GroupOfLangSecRef(value);
            if (!group) return Problem(L"LangSecRef " + value + L" names no known group");
            if (entry.group.empty() || !sectionNamed_) entry.group = *group;
        } else if (kind == L"section") {
            if (value.empty()) return Problem(L"empty Section: ignored");
            entry.group = value;
            sectionNamed_ = true;
        } else if (kind == L"detect") {
            RegistryPath path;
            if (!ParseRegistryPath(value, path)) return Problem(L"Detect names no registry key: " + value);
            entry.detectKeys.push_back(value);
        } else if (kind == L"detectfile") {
            if (!TooWild(value)) entry.detectFiles.push_back(value);
        } else if (kind == L"detectos") {
            if (value.find(L'|') == std::wstring::npos) return Problem(L"DetectOS is not min|max: " + value);
            entry.detectOs = value;
        } else if (kind == L"specialdetect") {
            if (value != L"DET_CHROME" && value != L"DET_MOZILLA" && value != L"DET_THUNDERBIRD" &&
                value != L"DET_OPERA")
                return Problem(L"unknown SpecialDetect: " + value);
            entry.specialDetects.push_back(value);
        } else if (kind == L"filekey") {
            FileKeyOf(value);
        } else if (kind == L"regkey") {
            RegKeyOf(value);
        } else if (kind == L"excludekey") {
            ExcludeKeyOf(value);
        } else if (kind == L"warning") {
            entry.warning = value;
        } else if (kind != L"default" && kind != L"id" && kind != L"author" && kind != L"tags") {
            Problem(L"unknown key " + key + L": ignored");
        }
    }

    void FileKeyOf(const std::wstring& value) {
        if (TooWild(value)) return;
        const std::vector<std::wstring> parts = Split(value, L'|');
        FileKey key;
        key.line = line_;
        key.folder = WithoutTrailingSlashes(parts[0]);
        if (parts.size() < 2 || key.folder.empty()) return Problem(L"FileKey is not folder|patterns: skipped");
        key.patterns = Patterns(parts[1]);
        if (key.patterns.empty()) return Problem(L"FileKey without a pattern: skipped");
        for (const std::wstring& pattern : key.patterns)
            if (!IsName(pattern)) return Problem(L"FileKey pattern is not a file name: " + pattern);
        for (size_t i = 2; i < parts.size(); ++i) {
            if (_wcsicmp(parts[i].c_str(), L"RECURSE") == 0)
                key.recurse = true;
            else if (_wcsicmp(parts[i].c_str(), L"REMOVESELF") == 0)
                key.recurse = key.removeSelf = true;
            else
                return Problem(L"FileKey flag " + parts[i] + L" is unknown: skipped");
        }
        entry_->fileKeys.push_back(std::move(key));
    }

    void RegKeyOf(const std::wstring& value) {
        const size_t bar = value.find(L'|');
        RegistryPath path;
        if (!ParseRegistryPath(Trim(value.substr(0, bar)), path))
            return Problem(L"RegKey names no registry key: skipped");
        RegKey key;
        key.root = path.root;
        key.path = path.path;
        key.line = line_;
        key.wholeKey = bar == std::wstring::npos;
        if (!key.wholeKey) key.value = Trim(value.substr(bar + 1));
        if (key.wholeKey && !RegistryKeyMayGoWhole(key.root, key.path))
            return Problem(L"RegKey " + value + L" would delete a key that holds everything else: refused");
        // The sweep reads this name as "the whole key".
        if (!key.wholeKey && key.value == L"*.*") return Problem(L"RegKey value *.* is not a value name: refused");
        entry_->regKeys.push_back(std::move(key));
    }

    void ExcludeKeyOf(const std::wstring& value) {
        if (TooWild(value)) return;
        const std::vector<std::wstring> parts = Split(value, L'|');
        ExcludeKey key;
        key.line = line_;
        if (parts.size() >= 2 && _wcsicmp(parts[0].c_str(), L"REG") == 0) {
            RegistryPath path;
            if (!ParseRegistryPath(parts[1], path)) return Problem(L"ExcludeKey REG names no registry key: skipped");
            key.kind = ExcludeKind::Reg;
            key.root = path.root;
            key.keyPath = path.path;
            if (parts.size() > 2 && !parts[2].empty()) key.patterns.push_back(parts[2]);
        } else if (parts.size() >= 2 &&
                   (_wcsicmp(parts[0].c_str(), L"FILE") == 0 || _wcsicmp(parts[0].c_str(), L"PATH") == 0)) {
            key.kind = _wcsicmp(parts[0].c_str(), L"FILE") == 0 ? ExcludeKind::File : ExcludeKind::Path;
            key.folder = WithoutTrailingSlashes(parts[1]);
            if (parts.size() > 2) key.patterns = Patterns(parts[2]);
            if (key.folder.empty()) return Problem(L"ExcludeKey without a folder: skipped");
            if (key.kind == ExcludeKind::File && key.patterns.empty())
                return Problem(L"ExcludeKey FILE without names: skipped");
        } else {
            return Problem(L"ExcludeKey is not FILE|, PATH| or REG|: skipped");
        }
        entry_->excludes.push_back(std::move(key));
    }

    const std::wstring& file_;
    std::vector<RuleEntry>& entries_;
    std::vector<RuleProblem>& problems_;
    std::optional<RuleEntry> entry_;
    bool sectionNamed_ = false;
    bool skippingSection_ = false;
    int line_ = 0;
};

}  // namespace

std::wstring EntryName(const std::wstring& sectionName) {
    std::wstring name = Trim(sectionName);
    if (name.size() >= 2 && name.ends_with(L" *")) name = Trim(name.substr(0, name.size() - 2));
    // "[ *]" is the convention's mark alone: no name.
    return name == L"*" ? L"" : name;
}

void ParseRuleText(const std::wstring& text, const std::wstring& fileName, std::vector<RuleEntry>& entries,
                   std::vector<RuleProblem>& problems) {
    Reader reader(fileName, entries, problems);
    size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        size_t length = end - start;
        if (length > 0 && text[end - 1] == L'\r') --length;
        reader.Line(text.substr(start, length), ++number);
        start = end + 1;
    }
    reader.Finish();
}

}  // namespace scw::rules
