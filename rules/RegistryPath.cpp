#include "rules/RegistryPath.h"

namespace scw::rules {

namespace {

struct RootName {
    const wchar_t* shortName;
    const wchar_t* longName;
    HKEY root;
};

const RootName kRoots[] = {
    {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {L"HKU", L"HKEY_USERS", HKEY_USERS},
    {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
};

}  // namespace

bool ParseRegistryPath(const std::wstring& text, RegistryPath& out) {
    const size_t cut = text.find(L'\\');
    const std::wstring rootName = text.substr(0, cut);
    out.root = nullptr;
    for (const RootName& name : kRoots)
        if (_wcsicmp(rootName.c_str(), name.shortName) == 0 || _wcsicmp(rootName.c_str(), name.longName) == 0)
            out.root = name.root;
    if (!out.root) return false;
    out.path = cut == std::wstring::npos ? L"" : text.substr(cut + 1);
    while (!out.path.empty() && out.path.back() == L'\\') out.path.pop_back();
    // "HKCU\\Software" or a key with an empty part names something other than it spells.
    return out.path.find(L"\\\\") == std::wstring::npos && (out.path.empty() || out.path.front() != L'\\');
}

}  // namespace scw::rules
