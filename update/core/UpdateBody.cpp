#include "update/core/UpdateBody.h"

#include <windows.h>

#include <string_view>

namespace scw {

namespace {
std::wstring Decode(const std::string& body) {
    if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == 0xFF && static_cast<unsigned char>(body[1]) == 0xFE) {
        std::wstring text((body.size() - 2) / 2, L'\0');
        if (!text.empty()) ::memcpy(text.data(), body.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    std::string_view bytes(body);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    UINT codePage = CP_UTF8;
    int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        codePage = CP_ACP;
        length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    }
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, bytes.data(), size, text.data(),
                          length);
    return text;
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'\r'))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                          static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
}  // namespace

std::optional<std::wstring> VersionNamedIn(const std::string& body) {
    const std::wstring text = Decode(body);
    bool inProgram = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring_view line = Trim(std::wstring_view(text).substr(pos, end - pos));
        pos = end + 1;
        if (line.starts_with(L'[')) {
            const size_t close = line.find(L']');
            inProgram = close != std::wstring_view::npos && SameName(Trim(line.substr(1, close - 1)), L"Program");
            continue;
        }
        const size_t equals = line.find(L'=');
        if (!inProgram || equals == std::wstring_view::npos || !SameName(Trim(line.substr(0, equals)), L"Version"))
            continue;
        std::wstring_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.empty()) return std::nullopt;
        return std::wstring(value.substr(0, kMaxVersionText));
    }
    return std::nullopt;
}

}  // namespace scw
