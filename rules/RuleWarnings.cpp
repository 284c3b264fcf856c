#include "rules/RuleWarnings.h"

#include "rules/RuleNodes.h"

namespace scw::rules {

const RuleEntry* WarnedEntryOf(const CMyObject& node) {
    const RuleEntry* entry = RuleOf(node);
    return entry && !entry->warning.empty() ? entry : nullptr;
}

std::wstring WarningsQuestion(const std::vector<const RuleEntry*>& entries) {
    std::wstring text = L"Some of the entries you are ticking carry a warning:\n";
    size_t listed = 0;
    for (const RuleEntry* entry : entries) {
        if (listed == kListedWarnings) break;
        std::wstring warning = entry->warning;
        if (warning.size() > kShownWarningLength) warning = warning.substr(0, kShownWarningLength - 1) + L"\u2026";
        text += L"\n" + entry->name + L": " + warning + L"\n";
        ++listed;
    }
    if (entries.size() > listed) text += L"\n... and " + std::to_wstring(entries.size() - listed) + L" more.\n";
    text += L"\nYes ticks them too. No ticks the others only. Cancel ticks nothing.";
    return text;
}

}  // namespace scw::rules
