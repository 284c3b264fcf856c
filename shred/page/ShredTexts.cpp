#include "shred/page/ShredTexts.h"

namespace scw {

namespace {
std::wstring Count(int n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (n == 1 ? one : many);
}
}  // namespace

std::wstring ShredRunReport(const ShredSummary& s) {
    std::wstring text;
    auto line = [&](const std::wstring& part) { text += (text.empty() ? L"" : L"\n\n") + part; };
    auto stay = [](int n) { return n == 1 ? L"it stays in the list." : L"they stay in the list."; };
    if (s.notRemoved)
        line(Count(s.notRemoved, L"file was", L"files were") + L" overwritten but could not be removed; " +
             stay(s.notRemoved));
    if (s.failed)
        line(Count(s.failed, L"file", L"files") + L" could not be overwritten (in use or gone); " + stay(s.failed));
    if (s.namesOnly)
        line(Count(s.namesOnly, L"file has", L"files have") +
             L" other names (hard links): only the chosen name was removed. The data was not overwritten, "
             L"because the other names still use it.");
    if (s.tooLong)
        line(Count(s.tooLong, L"file was", L"files were") +
             L" skipped (too long): the full path is longer than Windows allows, so it was not shredded and "
             L"stays on the disk.");
    if (s.leftAlone)
        line(Count(s.leftAlone, L"entry is a link", L"entries are links") +
             L": a link is never shredded, so what it points to stays untouched.");
    return text;
}

std::wstring ShredFolderRefusal(const std::wstring& folder, const ShredCheck& check) {
    const std::wstring quoted = L"\"" + folder + L"\"";
    switch (check.refusal) {
    case ShredRefusal::ProtectedFolder:
        return L"Scourwell will not shred " + quoted +
               L".\n\nIt is a drive, a network share, a folder of Windows or of your programs, your profile or "
               L"one of its main folders (such as Documents or Desktop), or a folder that holds one of them. "
               L"Shredding it would destroy everything stored there.\n\nChoose a folder further down, or add "
               L"files one by one with Add File. The list was not changed.";
    case ShredRefusal::Link:
        return quoted + L" is a link to another folder. The shredder never follows links: choose the folder "
                        L"itself. The list was not changed.";
    default:
        return L"Scourwell cannot shred " + quoted + L": " + RefusalText(check) + L". The list was not changed.";
    }
}

}  // namespace scw
