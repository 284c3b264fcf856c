#pragma once
// Target rules as data: one row per target, in the order the item adds them. A category is one
// file that defines its rows and one line in Categories.inc.
//
// A folder row builds its folder from up to five parts, each a literal text or a resolver.
// When any resolver of a row fails, the walker stops the item there: the targets of earlier
// rows stay and no further row of that item is added. Code rows are for the few rules that
// really are code (fixed drives, the paging file, accounts read from the registry).
#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "engine/Environment.h"
#include "engine/MyObject.h"
#include "engine/TraceTarget.h"

namespace scw::rules {

enum class Part : unsigned char {
    None,            // unused slot
    Text,            // the literal `text`
    KnownFolder,     // known folder `number` (CSIDL), no trailing backslash
    WindowsFolder,   // GetWindowsDirectoryW, no trailing backslash
    TempVariable,    // %TEMP%, no trailing backslash
    ProfileFolder,   // the user's profile folder, with a trailing backslash
    LocalMicrosoft,  // local application data + "\Microsoft\"
    RegistryString,  // text value `text` of `root` `key` (CNRegistry::ReadRegistryString)
    MozillaProfile,  // profile folder of "profiles.ini" under AppData + `text`, with a backslash
    PocoMailPath,    // ReadPocoMailPath(`number`), used exactly as resolved
    Resolved,        // `resolve`(env): a stored location that needs checks of its own
};

using PartResolver = std::optional<std::wstring> (*)(const Environment& env);

struct PathPart {
    Part part = Part::None;
    int number = 0;
    HKEY root = nullptr;
    const wchar_t* key = nullptr;
    const wchar_t* text = nullptr;
    PartResolver resolve = nullptr;
};

inline PathPart Text(const wchar_t* text) { return {Part::Text, 0, nullptr, nullptr, text}; }
inline PathPart Known(int csidl) { return {Part::KnownFolder, csidl, nullptr, nullptr, nullptr}; }
inline PathPart WindowsDir() { return {Part::WindowsFolder}; }
inline PathPart TempVar() { return {Part::TempVariable}; }
inline PathPart Profile() { return {Part::ProfileFolder}; }
inline PathPart LocalMicrosoft() { return {Part::LocalMicrosoft}; }
inline PathPart RegString(HKEY root, const wchar_t* key, const wchar_t* value) {
    return {Part::RegistryString, 0, root, key, value};
}
inline PathPart MozProfile(const wchar_t* programFolder) {
    return {Part::MozillaProfile, 0, nullptr, nullptr, programFolder};
}
inline PathPart Poco(int which) { return {Part::PocoMailPath, which, nullptr, nullptr, nullptr}; }
inline PathPart Resolved(PartResolver resolve) { return {Part::Resolved, 0, nullptr, nullptr, nullptr, resolve}; }

// Adds targets to the item; returns false when a resolution failed, which ends the item.
using CodeRule = bool (*)(CMyObject& item, const Environment& env);

struct TargetRule {
    UINT itemId = 0;
    HKEY root = nullptr;                 // registry row: its root; folder and code rows: null
    const wchar_t* keyPath = nullptr;    // registry row: key path below the root
    std::array<PathPart, 5> folder{};    // folder row: the parts joined in order
    const wchar_t* name = nullptr;       // value name, "*.*", file name or extension
    TargetKind kind = KindPlain;
    CodeRule code = nullptr;             // code row: adds its own targets
};

inline TargetRule Reg(UINT item, HKEY root, const wchar_t* keyPath, const wchar_t* name, TargetKind kind) {
    TargetRule r;
    r.itemId = item;
    r.root = root;
    r.keyPath = keyPath;
    r.name = name;
    r.kind = kind;
    return r;
}
inline TargetRule Folder(UINT item, std::array<PathPart, 5> parts, const wchar_t* name, TargetKind kind) {
    TargetRule r;
    r.itemId = item;
    r.folder = parts;
    r.name = name;
    r.kind = kind;
    return r;
}
inline TargetRule Code(UINT item, CodeRule code) {
    TargetRule r;
    r.itemId = item;
    r.code = code;
    return r;
}

using RuleSpan = std::span<const TargetRule>;

// Every category's rows, in the order of Categories.inc.
const std::vector<RuleSpan>& AllCategories();

// Adds the targets of the item's rows to it in order, stopping at the first failed resolution.
// Returns false when a resolution failed.
bool ApplyRules(CMyObject& item, const Environment& env, RuleSpan rules);

// Resolves one row's folder; nullopt when a part fails.
std::optional<std::wstring> ResolveFolder(const std::array<PathPart, 5>& parts, const Environment& env);

}  // namespace scw::rules
