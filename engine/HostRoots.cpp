#include "engine/HostRoots.h"

#include <windows.h>

#include "engine/FinalPath.h"
#include "engine/FolderSafety.h"

namespace scw {

namespace {

// Where a folder really is, as the guard keys folders; empty when it cannot be opened.
std::wstring FinalKey(std::wstring folder) {
    // "C:" alone is the current folder on C: to the system, but whoever names it means the drive.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    const std::wstring final = FinalPathOf(folder);
    return final.empty() ? std::wstring() : FolderKey(final);
}

}  // namespace

bool IsDevicePath(const std::wstring& path) { return path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"); }

bool RunningUnderWine() {
    static const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name") != nullptr;
    return wine;
}

HostRoots::HostRoots(const std::string& hostRoot) {
    if (!RunningUnderWine() || hostRoot.empty() || hostRoot.front() != '/') return;
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, hostRoot.data(), static_cast<int>(hostRoot.size()), nullptr, 0);
    std::wstring unixName(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, hostRoot.data(), static_cast<int>(hostRoot.size()), unixName.data(), length);
    for (wchar_t& c : unixName)
        if (c == L'/') c = L'\\';
    // Wine names every Linux folder one way: by the drive that reaches it, or as "\\?\unix\..."
    // when none does. Whatever path leads to the host's root, its final path is this one.
    key_ = FinalKey(L"\\\\?\\unix" + unixName);
}

bool HostRoots::IsHostRoot(const std::wstring& folder) const {
    return !key_.empty() && !folder.empty() && FinalKey(folder) == key_;
}

std::optional<std::wstring> HostRoots::Refusal(const std::wstring& folder) const {
    if (IsDevicePath(folder))
        return L"a device path (\\\\?\\ or \\\\.\\) reaches past the drives, under Wine into the files of the "
               L"Linux system it runs on";
    if (IsHostRoot(folder))
        return L"it is the root folder of the Linux system that Wine runs on: everything on that computer "
               L"lies below it";
    return std::nullopt;
}

}  // namespace scw
