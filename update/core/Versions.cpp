#include "update/core/Versions.h"

#include <array>
#include <optional>
#include <vector>

namespace scw {

namespace {
// Token values beyond this are not versions anyone publishes; capping keeps the parse in range.
constexpr long long kMaxPart = 0x7FFFFFFF;

std::optional<std::array<long long, 4>> ParseVersion(const std::wstring& text) {
    std::array<long long, 4> parts{};
    size_t count = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t dot = text.find(L'.', pos);
        if (dot == std::wstring::npos) dot = text.size();
        if (dot > pos) {
            if (count == parts.size()) return std::nullopt;
            long long value = 0;
            for (size_t i = pos; i < dot; ++i) {
                const wchar_t c = text[i];
                if (c < L'0' || c > L'9') return std::nullopt;
                value = std::min(value * 10 + (c - L'0'), kMaxPart);
            }
            parts[count++] = value;
        }
        pos = dot + 1;
    }
    return parts;
}
}  // namespace

int CompareVersions(const std::wstring& first, const std::wstring& second) {
    const auto a = ParseVersion(first);
    if (!a) return kFirstMalformed;
    const auto b = ParseVersion(second);
    if (!b) return kSecondMalformed;
    for (size_t i = 0; i < a->size(); ++i) {
        if ((*a)[i] != (*b)[i]) return (*a)[i] > (*b)[i] ? 1 : -1;
    }
    return 0;
}

std::wstring VersionText(WORD major, WORD minor, WORD build, WORD revision) {
    wchar_t text[64] = {};
    if (build || revision)
        ::swprintf(text, 64, L"%d.%d.%d.%d", major, minor, build, revision);
    else if (major || minor)
        ::swprintf(text, 64, L"%d.%d", major, minor);
    return text;
}

std::wstring RunningVersionText(HMODULE module) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path, 0, size, block.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
        infoSize < sizeof(VS_FIXEDFILEINFO))
        return {};
    return VersionText(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                       LOWORD(info->dwFileVersionLS));
}

}  // namespace scw
