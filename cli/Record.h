#pragma once
// One output record: tab-separated fields, or one JSON object a line.
#include <initializer_list>
#include <string>
#include <variant>

namespace scw::cli {

struct Field {
    const wchar_t* key;
    // Null (no value) is written as "-" in text and null in JSON.
    std::variant<std::monostate, long long, std::wstring> value;
};

// Text records keep one record a line: control characters and broken UTF-16 in a field become
// U+FFFD (the JSON form keeps every name exactly).
std::wstring FormatRecord(std::initializer_list<Field> fields, bool json);

std::wstring JsonString(const std::wstring& text);

// What became of one file a command deleted or shredded: "deleted", "failed", "skipped"... then
// its path and, when it stayed, why ("link", "moved", "locked"...; JSON key "reason"). Every
// command that deletes prints its files through this one record.
std::wstring OutcomeRecord(const wchar_t* result, const std::wstring& path, const std::wstring& reason, bool json);

}  // namespace scw::cli
