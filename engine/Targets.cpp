#include "engine/Targets.h"

#include "engine/Registry.h"
#include "engine/catalogue/RuleTable.h"

namespace scw {

bool AddTarget(CMyObject& item, HKEY root, const std::wstring& path, const std::wstring& name, TargetKind kind) {
    if (path.size() > kMaxPathChars || name.size() > kMaxPathChars) return false;
    if (item.targets.size() >= kMaxTargetsPerItem) return false;
    TraceTarget target;
    target.root = root;
    target.rootPrefix = root ? RootPrefix(root) : std::wstring();
    target.path = path;
    target.name = name;
    target.kind = kind;
    item.targets.push_back(std::move(target));
    return true;
}

void CollectTargets(CMyObject& item, const Environment& env) {
    item.ClearTargets();
    for (const rules::RuleSpan& category : rules::AllCategories()) {
        bool found = false;
        for (const rules::TargetRule& rule : category)
            if (rule.itemId == item.itemId) found = true;
        if (found) {
            rules::ApplyRules(item, env, category);
            return;
        }
    }
}

}  // namespace scw
