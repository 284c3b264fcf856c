#include "state/RuleItemSets.h"

#include <windows.h>

#include <algorithm>
#include <map>

namespace scw {

namespace {

struct SetKeys {
    const wchar_t* section;
    const wchar_t* countKey;
};

SetKeys KeysOf(ItemSet set) {
    switch (set) {
        case ItemSet::OneClick:
            return {L"OneClickRuleItem", L"OneClickRuleItems"};
        case ItemSet::Default:
            return {L"DefaultRuleItem", L"DefaultRuleItems"};
        case ItemSet::Recent:
            break;
    }
    return {L"RecentRuleItem", L"RecentRuleItems"};
}

// The section's "key=value" lines in one read: a key at a time would read the file each time.
std::map<std::wstring, std::wstring> ReadSection(const CIniFileRW& file, const wchar_t* section) {
    std::vector<wchar_t> buffer(32768);
    for (;;) {
        const DWORD length =
            ::GetPrivateProfileSectionW(section, buffer.data(), static_cast<DWORD>(buffer.size()), file.Path().c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (16u << 20)) break;
        buffer.assign(buffer.size() * 2, L'\0');
    }
    std::map<std::wstring, std::wstring> lines;
    for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) {
        const wchar_t* equals = wcschr(line, L'=');
        if (!equals) continue;
        std::wstring key(line, equals);
        for (wchar_t& c : key) c = towlower(c);
        lines.emplace(std::move(key), equals + 1);
    }
    return lines;
}

}  // namespace

RuleItemSetContent ReadRuleItemSet(const CIniFileRW& file, ItemSet set) {
    const SetKeys keys = KeysOf(set);
    RuleItemSetContent content;
    const std::map<std::wstring, std::wstring> lines = ReadSection(file, keys.section);
    std::wstring countKey = keys.countKey;
    for (wchar_t& c : countKey) c = towlower(c);
    const auto count = lines.find(countKey);
    if (count == lines.end()) return content;
    content.written = true;
    const int entries = std::clamp(_wtoi(count->second.c_str()), 0, kMaxRuleItemSetEntries);
    for (int i = 0; i < entries; ++i) {
        const auto name = lines.find(L"item" + std::to_wstring(i));
        if (name != lines.end() && !name->second.empty()) content.names.push_back(name->second);
    }
    return content;
}

void WriteRuleItemSet(const CIniFileRW& file, ItemSet set, const std::vector<std::wstring>& names) {
    const SetKeys keys = KeysOf(set);
    const size_t count = std::min<size_t>(names.size(), kMaxRuleItemSetEntries);
    std::wstring section = std::wstring(keys.countKey) + L"=" + std::to_wstring(count) + L'\0';
    for (size_t i = 0; i < count; ++i) section += L"item" + std::to_wstring(i) + L"=" + names[i] + L'\0';
    section += L'\0';
    ::WritePrivateProfileSectionW(keys.section, section.c_str(), file.Path().c_str());
}

}  // namespace scw
