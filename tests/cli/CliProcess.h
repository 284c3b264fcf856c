#pragma once
// Runs a private copy of scourwell-cli.exe (with its own setting.ini beside it) as a separate
// process, and reads what it printed.
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tests/common/TestSupport.h"

namespace scw::test {

class CliCopy {
public:
    CliCopy();
    const std::wstring& Folder() const { return folder_.Path(); }
    // Writes setting.ini beside the copy; empty text leaves none.
    void WriteSettings(const std::string& ini) const;
    std::string ReadSettings() const { return ReadFileText(folder_ / L"setting.ini"); }
    ProcessResult Run(const std::wstring& arguments) const;

private:
    TempFolder folder_{L"cli"};
};

// Output split into lines without their line ends.
std::vector<std::string> Lines(const std::string& output);
// The last line, empty when there is none.
std::string LastLine(const std::string& output);
std::string Utf8(const std::wstring& text);

// A flat JSON object: strings, integers and null. Nullopt when the line is not such an object.
using JsonValue = std::variant<std::nullptr_t, long long, std::wstring>;
std::optional<std::map<std::string, JsonValue>> ParseJsonObject(const std::string& line);


}  // namespace scw::test
