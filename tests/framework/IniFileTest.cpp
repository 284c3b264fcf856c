// The INI reader over lines as other programs and people write them: each value is read from the
// line it belongs to, whole or cut to the caller's limit, never from a neighbour.
#include <gtest/gtest.h>

#include <string>

#include "framework/IniFileRW.h"
#include "tests/common/TestSupport.h"

namespace scw {
namespace {

TEST(IniFile, EachValueComesFromItsOwnLineAndSection) {
    test::TempFolder folder;
    const std::wstring path = folder / L"other.ini";
    test::WriteFileText(path,
                        "[Profile0]\r\n"
                        "  Path = Profiles/abc.default  \r\n"
                        ";IsRelative=0\r\n"
                        "Name=a=b\r\n"
                        "\r\n"
                        "[Profile1]\r\n"
                        "IsRelative=0\r\n"
                        "Path=C:\\elsewhere\r\n");
    CIniFileRW file(CIniFileRW::ByPath{}, path);
    EXPECT_EQ(file.ReadString(L"Profile0", L"Path", 260), L"Profiles/abc.default") << "blanks around are not part of it";
    EXPECT_EQ(file.ReadString(L"Profile0", L"Name", 260), L"a=b") << "only the first '=' divides";
    // A commented line is no key, and the key of the next section is not this one's.
    EXPECT_EQ(file.ReadInt(L"Profile0", L"IsRelative"), 1);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"IsRelative"), 0);
    EXPECT_EQ(file.ReadString(L"Profile1", L"Path", 260), L"C:\\elsewhere");
    EXPECT_EQ(file.ReadString(L"Profile2", L"Path", 260), L"");
}

TEST(IniFile, AValueLongerThanTheLimitIsCutThereAndAlwaysTerminated) {
    test::TempFolder folder;
    const std::wstring path = folder / L"long.ini";
    test::WriteFileText(path, "[s]\r\nk=" + std::string(300, 'x') + "\r\n");
    CIniFileRW file(CIniFileRW::ByPath{}, path);
    // One character past a limit is how a caller tells an over-long value from one that fits.
    EXPECT_EQ(file.ReadString(L"s", L"k", 261).size(), 261u);
    EXPECT_EQ(file.ReadString(L"s", L"k", 400), std::wstring(300, L'x'));

    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_TRUE(file.ReadString(L"s", L"k", buffer, 8));
    EXPECT_EQ(std::wstring(buffer), L"xxxxxxx");
    wchar_t one[1] = {L'#'};
    EXPECT_FALSE(file.ReadString(L"s", L"k", one, 1));
    EXPECT_EQ(one[0], L'\0');
    EXPECT_FALSE(file.ReadString(L"s", L"k", nullptr, 0));
}

}  // namespace
}  // namespace scw
