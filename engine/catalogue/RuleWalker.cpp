#include "engine/Registry.h"
#include "engine/Resolvers.h"
#include "engine/Targets.h"
#include "engine/catalogue/RuleTable.h"

namespace scw::rules {

namespace {

std::optional<std::wstring> ResolvePart(const PathPart& part, const Environment& env) {
    switch (part.part) {
    case Part::None: return std::wstring();
    case Part::Text: return std::wstring(part.text ? part.text : L"");
    case Part::KnownFolder: return env.KnownFolder(part.number);
    case Part::WindowsFolder: return env.WindowsFolder();
    case Part::TempVariable: return ResolveTempVariable(env);
    case Part::ProfileFolder: return ResolveProfileFolder(env);
    case Part::LocalMicrosoft: return ResolveLocalMicrosoft(env);
    case Part::RegistryString: {
        std::wstring value;
        if (!CNRegistry::ReadRegistryString(part.root, part.key, part.text ? part.text : L"", value) || value.empty())
            return std::nullopt;
        return value;
    }
    case Part::MozillaProfile: return ReadProfileFolder(env, part.text ? part.text : L"");
    case Part::PocoMailPath: return ReadPocoMailPath(env, part.number);
    case Part::Resolved: return part.resolve ? part.resolve(env) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::wstring> ResolveFolder(const std::array<PathPart, 5>& parts, const Environment& env) {
    std::wstring folder;
    for (const PathPart& part : parts) {
        auto resolved = ResolvePart(part, env);
        if (!resolved) return std::nullopt;
        folder += *resolved;
    }
    return folder;
}

bool ApplyRules(CMyObject& item, const Environment& env, RuleSpan rules) {
    for (const TargetRule& rule : rules) {
        if (rule.itemId != item.itemId) continue;
        if (rule.code) {
            if (!rule.code(item, env)) return false;
        } else if (rule.root) {
            AddTarget(item, rule.root, rule.keyPath, rule.name, rule.kind);
            if (auto wow = Wow32KeyPath(rule.root, rule.keyPath)) AddTarget(item, rule.root, *wow, rule.name, rule.kind);
        } else {
            auto folder = ResolveFolder(rule.folder, env);
            // A folder too long to hold is a failed resolution: cutting it would name another folder.
            if (!folder || !AddTarget(item, nullptr, *folder, rule.name, rule.kind)) return false;
        }
    }
    return true;
}

}  // namespace scw::rules
