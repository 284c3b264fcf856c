#include "shellext/SelectionPath.h"

#include <shellapi.h>

#include <vector>

namespace lume {

std::optional<std::wstring> FirstSelectedPath(IDataObject* data) {
    if (!data) return std::wstring();
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return std::wstring();
    std::optional<std::wstring> path = std::wstring();
    // The medium's memory handle is the drop handle itself.
    auto drop = static_cast<HDROP>(medium.hGlobal);
    if (medium.tymed == TYMED_HGLOBAL && drop && ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
        std::vector<wchar_t> buffer(length + 1);
        if (length >= MAX_PATH || ::DragQueryFileW(drop, 0, buffer.data(), length + 1) != length)
            path.reset();
        else
            path->assign(buffer.data(), length);
    }
    ::ReleaseStgMedium(&medium);
    return path;
}

}  // namespace lume
