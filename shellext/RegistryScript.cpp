#include "shellext/RegistryScript.h"

#include <cwctype>

namespace lume {

namespace {

class Tokens {
public:
    explicit Tokens(const std::wstring& text) {
        size_t i = 0;
        while (i < text.size()) {
            if (std::iswspace(text[i])) {
                ++i;
            } else if (text[i] == L'\'') {
                // Quoted: up to the closing quote; '' stands for one quote.
                std::wstring token;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        broken_ = true;
                        return;
                    }
                    if (text[i] == L'\'') {
                        if (i + 1 < text.size() && text[i + 1] == L'\'') {
                            token += L'\'';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    token += text[i++];
                }
                items_.push_back({token, true});
            } else {
                size_t start = i;
                while (i < text.size() && !std::iswspace(text[i])) ++i;
                items_.push_back({text.substr(start, i - start), false});
            }
        }
    }
    bool Broken() const { return broken_; }
    bool AtEnd() const { return next_ >= items_.size(); }
    // True when the next token is this bare word (never a quoted text).
    bool Is(const wchar_t* word) const {
        return !AtEnd() && !items_[next_].quoted && ::lstrcmpiW(items_[next_].text.c_str(), word) == 0;
    }
    std::optional<std::wstring> Take() {
        if (AtEnd()) return std::nullopt;
        return items_[next_++].text;
    }

private:
    struct Item {
        std::wstring text;
        bool quoted;
    };
    std::vector<Item> items_;
    size_t next_ = 0;
    bool broken_ = false;
};

std::optional<HKEY> RootByName(const std::wstring& name) {
    struct Named {
        const wchar_t* shortName;
        const wchar_t* longName;
        HKEY root;
    };
    static const Named roots[] = {{L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                                  {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                                  {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}};
    for (const Named& r : roots)
        if (::lstrcmpiW(name.c_str(), r.shortName) == 0 || ::lstrcmpiW(name.c_str(), r.longName) == 0) return r.root;
    return std::nullopt;
}

// "= s 'text'" after a key or value name.
std::optional<std::wstring> ParseAssignment(Tokens& tokens) {
    if (!tokens.Is(L"=")) return std::nullopt;
    tokens.Take();
    if (!tokens.Is(L"s")) return std::nullopt;
    tokens.Take();
    return tokens.Take();
}

bool ParseBody(Tokens& tokens, std::vector<ScriptKey>& keys, std::vector<std::pair<std::wstring, std::wstring>>* values);

bool ParseKey(Tokens& tokens, ScriptKey& key) {
    if (tokens.Is(L"NoRemove")) {
        key.removal = ScriptKey::Removal::kNever;
        tokens.Take();
    } else if (tokens.Is(L"ForceRemove")) {
        key.removal = ScriptKey::Removal::kForce;
        tokens.Take();
    }
    std::optional<std::wstring> name = tokens.Take();
    if (!name || name->empty() || *name == L"{" || *name == L"}") return false;
    key.name = *name;
    if (tokens.Is(L"=")) {
        key.defaultValue = ParseAssignment(tokens);
        if (!key.defaultValue) return false;
    }
    if (tokens.Is(L"{")) {
        tokens.Take();
        return ParseBody(tokens, key.subkeys, &key.values);
    }
    return true;
}

// Keys (and, inside a key, values) up to the closing brace, which is taken.
bool ParseBody(Tokens& tokens, std::vector<ScriptKey>& keys, std::vector<std::pair<std::wstring, std::wstring>>* values) {
    for (;;) {
        if (tokens.AtEnd()) return false;
        if (tokens.Is(L"}")) {
            tokens.Take();
            return true;
        }
        if (values && tokens.Is(L"val")) {
            tokens.Take();
            std::optional<std::wstring> name = tokens.Take();
            if (!name) return false;
            std::optional<std::wstring> value = ParseAssignment(tokens);
            if (!value) return false;
            values->emplace_back(*name, *value);
            continue;
        }
        ScriptKey key;
        if (!ParseKey(tokens, key)) return false;
        keys.push_back(std::move(key));
    }
}

LSTATUS SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    // The byte count includes the terminating NUL.
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

HRESULT ApplyKey(HKEY parent, const ScriptKey& key) {
    if (key.removal == ScriptKey::Removal::kForce) ::RegDeleteTreeW(parent, key.name.c_str());
    HKEY handle = nullptr;
    LSTATUS status = ::RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    if (key.defaultValue) status = SetString(handle, nullptr, *key.defaultValue);
    for (const auto& [name, value] : key.values)
        if (status == ERROR_SUCCESS) status = SetString(handle, name.c_str(), value);
    HRESULT hr = HRESULT_FROM_WIN32(status);
    for (const ScriptKey& sub : key.subkeys)
        if (SUCCEEDED(hr)) hr = ApplyKey(handle, sub);
    ::RegCloseKey(handle);
    return hr;
}

bool HasSubkeys(HKEY parent, const std::wstring& name) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD count = 0;
    ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr);
    ::RegCloseKey(handle);
    return count > 0;
}

void RemoveKey(HKEY parent, const ScriptKey& key) {
    if (key.removal == ScriptKey::Removal::kForce) {
        ::RegDeleteTreeW(parent, key.name.c_str());
        return;
    }
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(parent, key.name.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
    for (const ScriptKey& sub : key.subkeys) RemoveKey(handle, sub);
    ::RegCloseKey(handle);
    if (key.removal == ScriptKey::Removal::kIfEmpty && !HasSubkeys(parent, key.name))
        ::RegDeleteKeyW(parent, key.name.c_str());
}

}  // namespace

std::optional<std::vector<ScriptRoot>> ParseRegistryScript(const std::wstring& text) {
    Tokens tokens(text);
    if (tokens.Broken()) return std::nullopt;
    std::vector<ScriptRoot> roots;
    while (!tokens.AtEnd()) {
        std::optional<HKEY> root = RootByName(*tokens.Take());
        if (!root || !tokens.Is(L"{")) return std::nullopt;
        tokens.Take();
        ScriptRoot parsed{*root, {}};
        if (!ParseBody(tokens, parsed.keys, nullptr)) return std::nullopt;
        roots.push_back(std::move(parsed));
    }
    return roots;
}

std::wstring ReplacePlaceholder(std::wstring text, const std::wstring& placeholder, const std::wstring& value) {
    for (size_t at = text.find(placeholder); at != std::wstring::npos; at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
    return text;
}

HRESULT ApplyRegistryScript(const std::vector<ScriptRoot>& roots) {
    for (const ScriptRoot& root : roots)
        for (const ScriptKey& key : root.keys)
            if (HRESULT hr = ApplyKey(root.root, key); FAILED(hr)) return hr;
    return S_OK;
}

HRESULT RemoveRegistryScript(const std::vector<ScriptRoot>& roots) {
    for (const ScriptRoot& root : roots)
        for (const ScriptKey& key : root.keys) RemoveKey(root.root, key);
    return S_OK;
}

}  // namespace lume
