#pragma once
// The first file of a selection, as the file manager hands it over in a data object.
#include <windows.h>
#include <objidl.h>

#include <string>

namespace lume {

// The first path of the data object's file list (CF_HDROP). Empty when there is none or when it
// is longer than MAX_PATH - 1 characters: a cut path would name another file.
std::wstring FirstSelectedPath(IDataObject* data);

}  // namespace lume
