#include "app/RunAtLogon.h"

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace scw {

std::wstring RunAtLogonCommand(const std::wstring& programPath) { return L"\"" + programPath + L"\" -A"; }

bool SetRunAtLogon(bool on) {
    if (!on) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS) return false;
        UniqueKey key(raw);
        return ::RegDeleteValueW(key.Get(), kRunValueName) == ERROR_SUCCESS;
    }
    wchar_t path[MAX_PATH + 1] = {};
    // A path that does not fit comes back cut, at MAX_PATH + 1 characters: refused below.
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return WriteRunAtLogon(std::wstring(path, length));
}

bool WriteRunAtLogon(const std::wstring& programPath) {
    if (programPath.empty() || programPath.size() >= MAX_PATH) return false;
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                          &raw, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(raw);
    const std::wstring command = RunAtLogonCommand(programPath);
    return ::RegSetValueExW(key.Get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace scw
