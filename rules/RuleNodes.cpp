#include "rules/RuleNodes.h"

#include <map>
#include <memory>
#include <new>

#include "rules/RuleDetection.h"

namespace scw::rules {

RuleNode::RuleNode(CMyObject* parent, RuleEntry ruleEntry)
    : CMyObject(parent, 0, LevelItem, kRuleProgramIcon, ruleEntry.name), entry(std::move(ruleEntry)) {}

const RuleEntry* RuleOf(const CMyObject& node) {
    const auto* rule = dynamic_cast<const RuleNode*>(&node);
    return rule ? &rule->entry : nullptr;
}

namespace {
void FreeSubtree(CMyObject* node) {
    for (CMyObject* child = node->firstChild; child;) {
        CMyObject* sibling = child->nextSibling;
        FreeSubtree(child);
        child = sibling;
    }
    delete node;
}
}  // namespace

CMyObject* BuildMorePrograms(const RuleSet& set, const Environment& env) {
    RuleDetector detector(env);
    std::unique_ptr<CMyObject, void (*)(CMyObject*)> category(
        new (std::nothrow) CMyObject(nullptr, 0, LevelCategory, kMoreProgramsIcon, kMoreProgramsName), FreeSubtree);
    if (!category) return nullptr;
    std::map<std::wstring, CMyObject*> programs;
    for (const RuleEntry& entry : set.entries) {
        if (!detector.IsDetected(entry)) continue;
        CMyObject*& program = programs[entry.group];
        if (!program) {
            program = new (std::nothrow) CMyObject(category.get(), 0, LevelProgram, kRuleProgramIcon, entry.group);
            if (!program) continue;
            category->AddChild(program);
        }
        program->AddChild(new (std::nothrow) RuleNode(program, entry));
    }
    if (!category->firstChild) return nullptr;
    return category.release();
}

std::vector<std::wstring> RuleNamesOf(const std::vector<CMyObject*>& items) {
    std::vector<std::wstring> names;
    for (const CMyObject* item : items)
        if (const RuleEntry* entry = item ? RuleOf(*item) : nullptr) names.push_back(entry->name);
    return names;
}

}  // namespace scw::rules
