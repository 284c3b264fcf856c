#pragma once
// A rule file shaped like the community one (many sections in LangSecRef groups, Detect and
// DetectFile, several FileKeyN, RegKeyN and ExcludeKeyN each), made up here: tests and benchmarks
// load it to see how the reader copes with thousands of entries.
#include <string>

namespace scw::test {

inline std::string SyntheticRuleFile(int entries) {
    static const char* const kGroups[] = {"3021", "3022", "3023", "3024", "3025", "3026",
                                          "3027", "3028", "3029", "3030", "3031", "3033"};
    std::string text = "; Synthetic rule file\r\n; Version: 1\r\n\r\n";
    for (int i = 0; i < entries; ++i) {
        const std::string n = std::to_string(i);
        const std::string vendor = "Vendor" + std::to_string(i % 97) + "\\Product " + n;
        text += "[Product " + n + " *]\r\n";
        if (i % 17 == 0)
            text += "Section=Games\r\n";
        else
            text += std::string("LangSecRef=") + kGroups[i % 12] + "\r\n";
        if (i % 3 == 0) text += "Detect=HKCU\\Software\\" + vendor + "\r\n";
        if (i % 3 == 1) text += "DetectFile=%AppData%\\" + vendor + "\r\n";
        if (i % 3 == 2) {
            text += "Detect1=HKLM\\Software\\" + vendor + "\r\n";
            text += "DetectFile1=%LocalAppData%\\" + vendor + "\\*.cfg\r\n";
            text += "DetectFile2=%ProgramFiles%\\" + vendor + "\r\n";
        }
        if (i % 11 == 0) text += "DetectOS=6.2|\r\n";
        if (i % 29 == 0) text += "Warning=This also removes the saved sessions of Product " + n + ".\r\n";
        text += "Default=False\r\n";
        text += "FileKey1=%LocalAppData%\\" + vendor + "\\Cache|*.*|RECURSE\r\n";
        text += "FileKey2=%AppData%\\" + vendor + "|*.log;*.tmp;crash*.dmp\r\n";
        if (i % 2 == 0) text += "FileKey3=%LocalAppData%\\" + vendor + "\\User Data\\*\\Code Cache|*|REMOVESELF\r\n";
        text += "ExcludeKey1=FILE|%AppData%\\" + vendor + "\\|keep.log\r\n";
        text += "RegKey1=HKCU\\Software\\" + vendor + "\\Recent\r\n";
        if (i % 4 == 0) text += "RegKey2=HKCU\\Software\\" + vendor + "\\Settings|LastFolder\r\n";
        text += "\r\n";
    }
    return text;
}

}  // namespace scw::test
