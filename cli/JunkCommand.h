#pragma once
// The junk command: the junk search of the junk page, and optionally its Delete all.
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/ConsoleOut.h"

namespace scw::cli {

// Row numbers of the junk type table from "default", "all" or a list such as "1,3,9-12" (an
// empty text is the default); nullopt with `error` for anything else.
std::optional<std::vector<int>> ParseJunkRows(const std::wstring& text, std::wstring& error);

int RunJunk(ConsoleOut& out, const Arguments& args);

}  // namespace scw::cli
