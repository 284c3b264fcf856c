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

// The names of the key's subkeys, read before any of them is used. Any failure ends the list: one
// that repeats at every index (a key deleted meanwhile, a handle without the right to list) would
// otherwise never let it end.
std::vector<std::wstring> SubkeyNames(HKEY key);

// Where the machine key of a 32-bit program lies for the 64-bit build: 64-bit Windows keeps those
// keys in a view of their own below "SOFTWARE\Wow6432Node". Nullopt in the 32-bit build (the
// system redirects it already), for other roots and for the system's own "SOFTWARE\Microsoft".
std::optional<std::wstring> Wow32KeyPath(HKEY root, const std::wstring& key);

// "HKEY_CURRENT_USER\" and the four other predefined roots; empty for any other key.
std::wstring RootPrefix(HKEY root);
// The root named by "HKEY_CURRENT_USER" and the four others; null for anything else.
HKEY RootFromName(const std::wstring& name);

}  // namespace scw
