#include "app/ProgramIcon.h"

#include <initializer_list>

#include "framework/App.h"

namespace scw {

HICON LoadProgramIcon(UINT id, SIZE size) {
    for (UINT resource : {id + kEverySizeIconOffset, id}) {
        if (HANDLE icon = ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(resource), IMAGE_ICON, size.cx, size.cy, 0))
            return static_cast<HICON>(icon);
    }
    return nullptr;
}

}  // namespace scw
