#include "rules/RuleFileText.h"

#include <windows.h>

#include "engine/ListedFile.h"
#include "framework/UniqueHandle.h"

namespace scw::rules {

namespace {

std::wstring FromCodePage(UINT codePage, DWORD flags, const char* data, int size) {
    if (size == 0) return L"";
    int chars = ::MultiByteToWideChar(codePage, flags, data, size, nullptr, 0);
    if (chars <= 0) return L"";
    std::wstring text(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(codePage, flags, data, size, text.data(), chars);
    return text;
}

}  // namespace

std::wstring DecodeRuleFileBytes(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        memcpy(text.data(), bytes.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    size_t skip = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const char* data = bytes.data() + skip;
    const int size = static_cast<int>(bytes.size() - skip);
    std::wstring text = FromCodePage(CP_UTF8, MB_ERR_INVALID_CHARS, data, size);
    if (text.empty() && size > 0) text = FromCodePage(CP_ACP, 0, data, size);
    return text;
}

std::optional<std::wstring> ReadRuleFileText(const std::wstring& path, std::wstring& error) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = L"cannot be read: " + SystemErrorText(::GetLastError());
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) > kMaxRuleFileBytes) {
        error = L"cannot be read: larger than 64 MB";
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        error = L"cannot be read: " + SystemErrorText(::GetLastError());
        return std::nullopt;
    }
    return DecodeRuleFileBytes(bytes);
}

}  // namespace scw::rules
