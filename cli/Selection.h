#pragma once
// Turns a SELECTION ("default", "104,106", "all", ...) into catalogue items.
#include <optional>
#include <string>
#include <vector>

#include "engine/Catalogue.h"
#include "framework/IniFileRW.h"

namespace scw::cli {

struct Selection {
    std::vector<CMyObject*> items;    // each item once, in catalogue display order
    std::vector<long long> unknownIds;  // ids that name no node, each once, as met
    std::vector<std::wstring> notes;  // what the user should know (a missing setting.ini)
    std::vector<std::wstring> ruleNames;  // rule entries ticked in the sets named, as saved
};

// Nullopt with `error` set when a part is neither a number nor a set name.
std::optional<Selection> ResolveSelection(const std::wstring& text, const Catalogue& catalogue,
                                          const CIniFileRW& settings, std::wstring& error);

}  // namespace scw::cli
