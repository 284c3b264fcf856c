#pragma once
// Registry reads the target rules resolve through, and root keys with their display prefixes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace scw {

class CNRegistry {
public:
    // The text of a string value (REG_SZ, REG_EXPAND_SZ, or the first string of REG_MULTI_SZ),
    // at most 1024 bytes; nothing is created. False when the key or value cannot be read.
    static bool ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& value, std::wstring& out);
};

// The value's bytes as stored, at most 1024; nullopt when the key or value cannot be read.
std::optional<std::vector<BYTE>> ReadRegistryRaw(HKEY root, const std::wstring& key, const std::wstring& value);
// Bytes of a string value as text, ending at the first terminator or the end of the data.
std::wstring RegistryBytesToText(const std::vector<BYTE>& bytes);

// "HKEY_CURRENT_USER\" and the four other predefined roots; empty for any other key.
std::wstring RootPrefix(HKEY root);
// The root named by "HKEY_CURRENT_USER" and the four others; null for anything else.
HKEY RootFromName(const std::wstring& name);

}  // namespace scw
