#include "framework/IniFileRW.h"

#include "framework/Strings.h"

#include <vector>

namespace scw {

CIniFileRW::CIniFileRW(const std::wstring& fileName) : path_(ModuleFolder() + fileName) {}

CIniFileRW::CIniFileRW(ByPath, const std::wstring& fullPath) : path_(fullPath) {}

bool CIniFileRW::Exists() const {
    DWORD attributes = ::GetFileAttributesW(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CIniFileRW::WriteInt(const wchar_t* section, const wchar_t* key, int value) const {
    return ::WritePrivateProfileStringW(section, key, FormatInt(value).c_str(), path_.c_str());
}

int CIniFileRW::ReadInt(const wchar_t* section, const wchar_t* key) const {
    return static_cast<int>(::GetPrivateProfileIntW(section, key, 1, path_.c_str()));
}

int CIniFileRW::ReadInt(const wchar_t* section, const wchar_t* key, int missing) const {
    return static_cast<int>(::GetPrivateProfileIntW(section, key, missing, path_.c_str()));
}

bool CIniFileRW::ReadString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, DWORD size) const {
    if (!buffer || size == 0) return false;
    buffer[0] = L'\0';
    return ::GetPrivateProfileStringW(section, key, L"", buffer, size, path_.c_str()) > 0;
}

std::wstring CIniFileRW::ReadString(const wchar_t* section, const wchar_t* key, DWORD maxChars) const {
    std::vector<wchar_t> buffer(maxChars + 1);
    if (!ReadString(section, key, buffer.data(), static_cast<DWORD>(buffer.size()))) return {};
    return buffer.data();
}

}  // namespace scw
