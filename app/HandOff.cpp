#include "app/HandOff.h"

#include <cstring>

#include "framework/Strings.h"

namespace scw {

std::optional<std::wstring> ReadHandOffPath(const COPYDATASTRUCT* data) {
    if (!data || !data->lpData || data->cbData == 0) return std::nullopt;
    const char* bytes = static_cast<const char*>(data->lpData);
    const void* end = std::memchr(bytes, 0, data->cbData);
    if (!end) return std::nullopt;
    const size_t length = static_cast<size_t>(static_cast<const char*>(end) - bytes);
    return AnsiToWide(std::string_view(bytes, length));
}

}  // namespace scw
