#include "rules/RuleGroups.h"

namespace scw::rules {

namespace {

struct Group {
    const wchar_t* number;
    const wchar_t* name;
};

const Group kGroups[] = {
    {L"3021", L"Applications"}, {L"3022", L"Internet"},      {L"3023", L"Multimedia"},
    {L"3024", L"Utilities"},    {L"3025", L"Windows"},       {L"3026", L"Mozilla Firefox"},
    {L"3027", L"Opera"},        {L"3028", L"Safari"},        {L"3029", L"Google Chrome"},
    {L"3030", L"Thunderbird"},  {L"3031", L"Windows Store"}, {L"3033", L"Microsoft Edge"},
};

}  // namespace

std::optional<std::wstring> GroupOfLangSecRef(const std::wstring& number) {
    for (const Group& group : kGroups)
        if (number == group.number) return std::wstring(group.name);
    return std::nullopt;
}

}  // namespace scw::rules
