// The version an update.ini body names, read the way the profile functions would read the file.
#include <gtest/gtest.h>

#include <optional>

#include "update/core/UpdateBody.h"

using namespace scw;

namespace {
std::string Utf16WithBom(const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}
}  // namespace

TEST(UpdateBody, VersionIsFoundWhateverTheCaseBlanksQuotesAndEncoding) {
    struct Case {
        const char* what;
        std::string body;
    } cases[] = {
        {"names in another case", "[PROGRAM]\r\nversion=2.5\r\n"},
        {"blanks and tabs around names and value", "[ Program ]\r\n\t Version \t=  2.5 \t\r\n"},
        {"double quotes", "[Program]\r\nVersion=\"2.5\"\r\n"},
        {"single quotes", "[Program]\r\nVersion='2.5'\r\n"},
        {"line feeds only", "[Program]\nVersion=2.5\n"},
        {"no final line break", "[Program]\r\nVersion=2.5"},
        {"after another section of the same key", "[Other]\r\nVersion=9.9\r\n[Program]\r\nName=x\r\nVersion=2.5\r\n"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[Program]\r\nVersion=2.5\r\n"},
        {"UTF-16 with its byte-order mark", Utf16WithBom(L"[Program]\r\nVersion=2.5\r\n")},
    };
    for (const Case& c : cases) EXPECT_EQ(VersionNamedIn(c.body), L"2.5") << c.what;
}

TEST(UpdateBody, BodiesThatNameNoVersionGiveNone) {
    for (const char* body :
         {"", "[Program]\r\nVersion=\r\n", "[Program]\r\nVersion=\"\"\r\n", "[Program]\r\nVersions=2.5\r\n",
          "[Programs]\r\nVersion=2.5\r\n", "Version=2.5\r\n[Program]\r\n", "[Program\r\nVersion=2.5\r\n"})
        EXPECT_EQ(VersionNamedIn(body), std::nullopt) << body;
    // Mismatched quotes are part of the value, which the comparison then refuses.
    EXPECT_EQ(VersionNamedIn("[Program]\r\nVersion=\"2.5'\r\n"), L"\"2.5'");
}
