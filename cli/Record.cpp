#include "cli/Record.h"

#include <cwchar>

namespace scw::cli {

namespace {
constexpr wchar_t kReplacement = 0xFFFD;

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Calls plain(c) for each ordinary character, pair(hi, lo) for a surrogate pair and lone(c)
// for half of a pair standing alone (file and value names may hold one).
template <typename Plain, typename Pair, typename Lone>
void WalkUtf16(const std::wstring& text, Plain plain, Pair pair, Lone lone) {
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) {
            pair(c, text[i + 1]);
            ++i;
        } else if (IsHigh(c) || IsLow(c)) {
            lone(c);
        } else {
            plain(c);
        }
    }
}

std::wstring TextField(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    WalkUtf16(
        text, [&](wchar_t c) { out += (c < 0x20 || c == 0x7F) ? kReplacement : c; },
        [&](wchar_t hi, wchar_t lo) { out += hi, out += lo; }, [&](wchar_t) { out += kReplacement; });
    return out;
}

std::wstring Hex4(wchar_t c) {
    wchar_t buffer[8];
    std::swprintf(buffer, 8, L"\\u%04x", static_cast<unsigned>(c));
    return buffer;
}
}  // namespace

std::wstring JsonString(const std::wstring& text) {
    std::wstring out = L"\"";
    WalkUtf16(
        text,
        [&](wchar_t c) {
            switch (c) {
            case L'"': out += L"\\\""; break;
            case L'\\': out += L"\\\\"; break;
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            case L'\t': out += L"\\t"; break;
            default: out += (c < 0x20 || c == 0x7F) ? Hex4(c) : std::wstring(1, c);
            }
        },
        [&](wchar_t hi, wchar_t lo) { out += hi, out += lo; }, [&](wchar_t c) { out += Hex4(c); });
    return out + L"\"";
}

std::wstring FormatRecord(std::initializer_list<Field> fields, bool json) {
    std::wstring line = json ? L"{" : L"";
    bool first = true;
    for (const Field& field : fields) {
        if (!first) line += json ? L"," : L"\t";
        first = false;
        if (json) line += JsonString(field.key) + L":";
        if (const auto* number = std::get_if<long long>(&field.value))
            line += std::to_wstring(*number);
        else if (const auto* text = std::get_if<std::wstring>(&field.value))
            line += json ? JsonString(*text) : TextField(*text);
        else
            line += json ? L"null" : L"-";
    }
    return json ? line + L"}" : line;
}

std::wstring OutcomeRecord(const wchar_t* result, const std::wstring& path, const std::wstring& reason, bool json) {
    if (reason.empty()) return FormatRecord({{L"result", std::wstring(result)}, {L"path", path}}, json);
    return FormatRecord({{L"result", std::wstring(result)}, {L"path", path}, {L"reason", reason}}, json);
}

}  // namespace scw::cli
