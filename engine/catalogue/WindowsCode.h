#pragma once
// The Windows items whose targets are code rather than rows.
#include <optional>
#include <string>

#include "engine/Environment.h"
#include "engine/MyObject.h"

namespace scw::rules {

// Two targets per fixed drive, "RECYCLER\" then "Recycled\", in drive order.
bool AddRecycleBins(CMyObject& item, const Environment& env);

struct PagingFile {
    std::wstring folder;  // up to and including the last backslash
    std::wstring name;
};
// The first path of a "PagingFiles" value ("C:\pagefile.sys 1024 2048"); nullopt without a
// folder or a file name.
std::optional<PagingFile> ParsePagingFiles(const std::wstring& value);

// The paging file named in the registry, searched in its own folder only.
bool AddPagingFile(CMyObject& item, const Environment& env);

}  // namespace scw::rules
