#pragma once
// A registry script in the usual COM server form:
//   HKCR { Name = s 'value' { val Name = s 'value'  NoRemove Key { ForceRemove Key { ... } } } }
// Register creates every key and value; unregister removes ForceRemove keys with their subtree,
// keeps NoRemove keys, and removes any other key once nothing is left below it.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace lume {

struct ScriptKey {
    enum class Removal { kIfEmpty, kNever, kForce };
    Removal removal = Removal::kIfEmpty;
    std::wstring name;
    std::optional<std::wstring> defaultValue;
    std::vector<std::pair<std::wstring, std::wstring>> values;
    std::vector<ScriptKey> subkeys;
};

struct ScriptRoot {
    HKEY root = nullptr;
    std::vector<ScriptKey> keys;
};

// Parses the script text; nothing on a syntax error, an unknown root or a value type other than s.
std::optional<std::vector<ScriptRoot>> ParseRegistryScript(const std::wstring& text);

// Every occurrence of a %NAME% placeholder replaced.
std::wstring ReplacePlaceholder(std::wstring text, const std::wstring& placeholder, const std::wstring& value);

HRESULT ApplyRegistryScript(const std::vector<ScriptRoot>& roots);
HRESULT RemoveRegistryScript(const std::vector<ScriptRoot>& roots);

}  // namespace lume
