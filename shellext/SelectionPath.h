#pragma once
// The first file of a selection, as the file manager hands it over in a data object.
#include <windows.h>
#include <objidl.h>

#include <optional>
#include <string>

namespace lume {

// The first path of the data object's file list (CF_HDROP); empty when there is none. No path at
// all when it is MAX_PATH characters or longer: a cut path would name another file, and an empty
// one would still be handed over.
std::optional<std::wstring> FirstSelectedPath(IDataObject* data);

}  // namespace lume
