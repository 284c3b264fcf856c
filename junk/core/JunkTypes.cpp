#include "junk/core/JunkTypes.h"

#include <algorithm>

namespace scw {

namespace {
constexpr wchar_t kTemporary[] = L"Temporary Junk Files";
constexpr wchar_t kVisualStudio[] = L"Visual Studio Temporary Files";
constexpr wchar_t kBuilder[] = L"C++ Builder Temporary Files";
constexpr wchar_t kHelpWords[] = L"Word List File of *.HLP";
constexpr wchar_t kChkdsk[] = L"CHKDSK Log Files";
constexpr wchar_t kBackup[] = L"Backup Files";
constexpr wchar_t kDiagnostic[] = L"Windows diagnostic file";

constexpr JunkType kTable[kJunkTypeCount] = {
    {L"*.swp", kTemporary},
    {L"*.$$$", kTemporary},
    {L"*.~*", kTemporary},
    {L"*.___", kTemporary},
    {L"*.^", kTemporary},
    {L"*.tmp", kTemporary},
    {L"*.temp", kTemporary},
    {L"*.---", kTemporary},
    {L"~*.*", kTemporary},
    {L"*.??~", kTemporary},
    {L"*.db$", L"Temporary Files (Database)"},
    {L"*.nch", L"Temporary Files created by Outlook Express"},
    {L"*.pch", kVisualStudio},
    {L"*.ncb", kVisualStudio},
    {L"*.ilk", kVisualStudio},
    {L"*.exp", kVisualStudio},
    {L"*.ilc", kBuilder},
    {L"*.ild", kBuilder},
    {L"*.ils", kBuilder},
    {L"*.ilf", kBuilder},
    {L"*.tds", kBuilder},
    {L"iebak.dat", L"Internet Explorer Junk File"},
    {L"ffastun.*", L"Microsoft Find Fast Indexer File"},
    {L"chklist.*", L"Microsoft Junk File"},
    {L"*.sik", L"junk files..."},
    {L"*.gid", L"Windows Help Index Files"},
    {L"*.fts", kHelpWords},
    {L"*.ftg", kHelpWords},
    {L"*.err", L"Error Files"},
    {L"*.dmp", L"Memory Dump - Junk Files"},
    {L"*.chk", kChkdsk},
    {L"chklist.*", kChkdsk},
    {L"file????._dd", kChkdsk},
    {L"*.diz", L"Description Files"},
    {L"*.log", L"Log File"},
    {L"*.prv", kBackup},
    {L"*.old", kBackup},
    {L"*.nu3", L"Symantec Norton Utilities Backup File"},
    {L"system.1st", L"Windows diagnostic Registry file"},
    {L"suhdlog.dat", kDiagnostic},
    {L"modemdet.txt", kDiagnostic},
    {L"twain???.mtx", L"TWAIN Temporary file"},
    {L"thumbs.db", L"ThumbNails created by Windows"},
    {L"mscreate.dir", L"Microsoft Temporary Installation Files"},
    {L"*.wri", L"Readme Files"},
};
}  // namespace

std::span<const JunkType> JunkTypes() { return kTable; }

std::vector<std::wstring> JunkPatternsOfRows(const std::vector<int>& rowNumbers) {
    std::vector<std::wstring> patterns;
    for (int row = 1; row <= kJunkTypeCount; ++row) {
        if (std::find(rowNumbers.begin(), rowNumbers.end(), row) != rowNumbers.end())
            patterns.emplace_back(kTable[row - 1].pattern);
    }
    return patterns;
}

std::vector<std::wstring> DefaultJunkPatterns() {
    std::vector<int> rows;
    for (int row = 1; row <= kDefaultJunkTypeCount; ++row) rows.push_back(row);
    return JunkPatternsOfRows(rows);
}

}  // namespace scw
