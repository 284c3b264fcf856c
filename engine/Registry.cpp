#include "engine/Registry.h"

#include "framework/UniqueHandle.h"

namespace scw {

namespace {

constexpr DWORD kReadLimitBytes = 1024;

struct RootName {
    HKEY root;
    const wchar_t* name;
};

const RootName* RootNames() {
    static const RootName names[] = {
        {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},
        {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"}, {HKEY_USERS, L"HKEY_USERS"},
        {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG"}, {nullptr, nullptr},
    };
    return names;
}

bool ReadValue(HKEY root, const std::wstring& key, const std::wstring& value, DWORD* type, std::vector<BYTE>& data) {
    UniqueKey opened;
    // Reading needs no more than read access; asking for more fails on keys a user may only read.
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Put()) != ERROR_SUCCESS) return false;
    data.assign(kReadLimitBytes, 0);
    DWORD size = kReadLimitBytes;
    if (::RegQueryValueExW(opened.Get(), value.c_str(), nullptr, type, data.data(), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

}  // namespace

bool CNRegistry::ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& value, std::wstring& out) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(root, key, value, &type, data)) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return false;
    out = RegistryBytesToText(data);
    return true;
}

std::optional<std::vector<BYTE>> ReadRegistryRaw(HKEY root, const std::wstring& key, const std::wstring& value) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(root, key, value, &type, data)) return std::nullopt;
    return data;
}

std::wstring RegistryBytesToText(const std::vector<BYTE>& bytes) {
    // Stored strings need not be terminated; never read past the data.
    size_t chars = bytes.size() / sizeof(wchar_t);
    std::wstring text(chars, L'\0');
    if (chars) memcpy(text.data(), bytes.data(), chars * sizeof(wchar_t));
    size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    // Room for any name a registry holds, so a long one is read rather than failing.
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

std::optional<std::wstring> Wow32KeyPath(HKEY root, const std::wstring& key) {
#ifdef _WIN64
    const std::wstring software = L"SOFTWARE\\";
    auto startsWith = [&key](const std::wstring& head) {
        return key.size() > head.size() && ::CompareStringOrdinal(key.c_str(), static_cast<int>(head.size()),
                                                                  head.c_str(), static_cast<int>(head.size()),
                                                                  TRUE) == CSTR_EQUAL;
    };
    if (root != HKEY_LOCAL_MACHINE || !startsWith(software) || startsWith(software + L"Microsoft\\") ||
        startsWith(software + L"Wow6432Node\\"))
        return std::nullopt;
    return software + L"Wow6432Node\\" + key.substr(software.size());
#else
    (void)root;
    (void)key;
    return std::nullopt;
#endif
}

std::wstring RootPrefix(HKEY root) {
    for (const RootName* r = RootNames(); r->name; ++r)
        if (r->root == root) return std::wstring(r->name) + L"\\";
    return {};
}

HKEY RootFromName(const std::wstring& name) {
    for (const RootName* r = RootNames(); r->name; ++r)
        if (name == r->name) return r->root;
    return nullptr;
}

}  // namespace scw
