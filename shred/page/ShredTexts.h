#pragma once
// What the shredder page tells the user in words: the end of a run, and a folder it refuses.
#include <string>

#include "shred/core/ShredView.h"
#include "shred/core/ShredTarget.h"

namespace scw {

// The buffers for overwriting could not be had.
inline constexpr wchar_t kShredNoMemory[] = L"\u5206\u914d\u5185\u5b58\u5931\u8d25\uff01";

// What the end of a run tells the user; empty when every file was shredded.
std::wstring ShredRunReport(const ShredSummary& summary);
// What the user is told when Add Directory refuses the chosen folder.
std::wstring ShredFolderRefusal(const std::wstring& folder, const ShredCheck& check);

}  // namespace scw
