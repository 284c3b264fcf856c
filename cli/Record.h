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

}  // namespace scw::cli
