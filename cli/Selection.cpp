#include "cli/Selection.h"

#include <algorithm>
#include <set>

#include "state/ItemSets.h"
#include "state/RuleItemSets.h"
#include "state/Settings.h"

namespace scw::cli {

namespace {
std::vector<std::wstring> SplitCommas(const std::wstring& text) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(L',', start);
        std::wstring part = text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        if (!part.empty()) parts.push_back(part);
        if (comma == std::wstring::npos) return parts;
        start = comma + 1;
    }
}

// Decimal digits only, at most what an item id can hold.
std::optional<long long> ParseId(const std::wstring& text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value > 0xFFFFFFFFLL) return std::nullopt;
    return value;
}

// The ids a saved set names, read as the sweep page and the one-click erase read them.
std::vector<int> SetIds(const CIniFileRW& settings, ItemSet set) {
    ItemSetContent content = ReadItemSet(settings, set);
    // A recent set that was never written means "the default set", as on the sweep page.
    if (set == ItemSet::Recent && content.count == -1) content = ReadItemSet(settings, ItemSet::Default);
    if (content.count < 0) content.ids.clear();
    return content.ids;
}

class Collector {
public:
    explicit Collector(const Catalogue& catalogue) : catalogue_(catalogue) {}

    // A category or program stands for all of its items, as ticking its row does.
    void Add(long long id) {
        CMyObject* node = id >= 0 && id <= 0xFFFFFFFFLL ? catalogue_.Find(static_cast<UINT>(id)) : nullptr;
        if (!node) {
            if (std::find(unknown_.begin(), unknown_.end(), id) == unknown_.end()) unknown_.push_back(id);
            return;
        }
        AddSubtree(node);
    }
    void AddAll() {
        catalogue_.ForEach([&](CMyObject* node) {
            if (node->level == LevelItem) ids_.insert(node->itemId);
        });
    }

    Selection Finish() {
        Selection selection;
        catalogue_.ForEach([&](CMyObject* node) {
            if (node->level == LevelItem && ids_.count(node->itemId)) selection.items.push_back(node);
        });
        selection.unknownIds = unknown_;
        return selection;
    }

private:
    void AddSubtree(CMyObject* node) {
        if (node->level == LevelItem) ids_.insert(node->itemId);
        for (CMyObject* child = node->firstChild; child; child = child->nextSibling) AddSubtree(child);
    }

    const Catalogue& catalogue_;
    std::set<UINT> ids_;
    std::vector<long long> unknown_;
};

std::optional<ItemSet> SetNamed(const std::wstring& name) {
    if (name == L"default") return ItemSet::Default;
    if (name == L"oneclick") return ItemSet::OneClick;
    if (name == L"recent") return ItemSet::Recent;
    return std::nullopt;
}
}  // namespace

std::optional<Selection> ResolveSelection(const std::wstring& text, const Catalogue& catalogue,
                                          const CIniFileRW& settings, std::wstring& error) {
    Collector collector(catalogue);
    std::vector<std::wstring> notes;
    std::vector<std::wstring> ruleNames;
    std::vector<std::wstring> parts = SplitCommas(text);
    if (parts.empty()) {
        error = L"the SELECTION is empty";
        return std::nullopt;
    }
    for (const std::wstring& part : parts) {
        if (part == L"all") {
            collector.AddAll();
        } else if (std::optional<ItemSet> set = SetNamed(part)) {
            // Without the file every key reads as 1, an id of no node: say why nothing is chosen.
            if (!settings.Exists()) {
                notes.push_back(L"no " + std::wstring(kSettingsFileName) + L" beside the program: the set '" + part +
                                L"' is empty");
                continue;
            }
            for (int id : SetIds(settings, *set)) collector.Add(id);
            RuleItemSetContent rules = ReadRuleItemSet(settings, *set);
            // The recent set stands for the default one until it was written, rules as items.
            if (*set == ItemSet::Recent && !rules.written) rules = ReadRuleItemSet(settings, ItemSet::Default);
            ruleNames.insert(ruleNames.end(), rules.names.begin(), rules.names.end());
        } else if (std::optional<long long> id = ParseId(part)) {
            collector.Add(*id);
        } else {
            error = L"not an item id or set name: " + part;
            return std::nullopt;
        }
    }
    Selection selection = collector.Finish();
    selection.notes = std::move(notes);
    selection.ruleNames = std::move(ruleNames);
    return selection;
}

}  // namespace scw::cli
