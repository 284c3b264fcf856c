#pragma once
// Reader and writer of one INI file through the platform's profile functions.
// Nothing is cached: every read asks the file and every write reaches it at once.
#include <windows.h>

#include <string>

namespace scw {

class CIniFileRW {
public:
    struct ByPath {};
    // A file beside the running program.
    explicit CIniFileRW(const std::wstring& fileName);
    // A file at a full path, taken unchanged.
    CIniFileRW(ByPath, const std::wstring& fullPath);
    virtual ~CIniFileRW() = default;

    const std::wstring& Path() const { return path_; }
    bool Exists() const;

    BOOL WriteInt(const wchar_t* section, const wchar_t* key, int value) const;
    // A missing key, section or file reads as 1; a stored negative value reads back signed.
    int ReadInt(const wchar_t* section, const wchar_t* key) const;
    // The same with the value a missing key (or file) gives.
    int ReadInt(const wchar_t* section, const wchar_t* key, int missing) const;
    // True if at least one character was read; the buffer always ends in a terminator.
    bool ReadString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, DWORD size) const;
    std::wstring ReadString(const wchar_t* section, const wchar_t* key, DWORD maxChars) const;

private:
    std::wstring path_;
};

}  // namespace scw
