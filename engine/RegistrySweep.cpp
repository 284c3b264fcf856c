#include "engine/SweepParts.h"

#include <vector>

#include "framework/UniqueHandle.h"

namespace scw::sweep {

namespace {

constexpr DWORD kNameChars = 16384;
constexpr DWORD kDataBytes = 16384;

// Opens the key itself even when it is a registry link.
bool OpenUnfollowed(HKEY root, const std::wstring& keyPath, REGSAM access, UniqueKey& key, LONG* result = nullptr) {
    LONG opened = ::RegOpenKeyExW(root, keyPath.c_str(), REG_OPTION_OPEN_LINK, access, key.Put());
    if (result) *result = opened;
    return opened == ERROR_SUCCESS;
}

// A key opened unfollowed that is a link holds its target in this value.
bool IsRegistryLink(HKEY key) {
    DWORD type = REG_NONE;
    return ::RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

void Report(const WalkContext& ctx, const std::wstring& keyPath, const std::wstring& valueName) {
    std::wstring location = ctx.target.rootPrefix + keyPath;
    ctx.run.ReportTrace(TraceRow{ctx.item, valueName, location, true});
}

bool ScanWholeKey(const WalkContext& ctx, HKEY key, const std::wstring& keyPath) {
    std::vector<wchar_t> name(kNameChars);
    // Subkeys first, depth first, then the key's own values.
    for (DWORD index = 0;; ++index) {
        if (ctx.run.StopRequested()) return false;
        DWORD length = kNameChars;
        if (::RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (!ScanRegistryKey(ctx, ctx.target.root, keyPath + L"\\" + std::wstring(name.data(), length), L"*.*"))
            return false;
    }
    for (DWORD index = 0;; ++index) {
        if (ctx.run.StopRequested()) return false;
        DWORD length = kNameChars;
        LONG result = ::RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) break;
        Report(ctx, keyPath, std::wstring(name.data(), length));
    }
    return true;
}

}  // namespace

bool ScanRegistryKey(const WalkContext& ctx, HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    UniqueKey key;
    if (name == L"*.*") {
        // A link is never followed: its target is not what the key holds, and the delete takes the link only.
        if (!OpenUnfollowed(root, keyPath, KEY_READ, key) || IsRegistryLink(key.Get())) return true;
        return ScanWholeKey(ctx, key.Get(), keyPath);
    }
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return true;
    std::vector<BYTE> data(kDataBytes);
    DWORD size = kDataBytes;
    LONG result = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, data.data(), &size);
    // A value too big for the buffer is still there, and the delete would remove it: list it.
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) Report(ctx, keyPath, name);
    return true;
}

namespace {

bool ValueExists(HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    UniqueKey key;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return false;
    LONG result = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr);
    return result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
}

// Removes the link key itself; the registry functions by name would reach its target instead.
bool DeleteLinkKey(HKEY link) {
    using NtDeleteKeyFn = LONG(NTAPI*)(HANDLE);
    auto deleteKey = reinterpret_cast<NtDeleteKeyFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    return deleteKey && deleteKey(link) >= 0;
}

// Deletes the key with everything below it; true if the key itself is gone (or never was). A
// key that stays, and a link that stays, count as one failure each.
bool DeleteWholeKey(ScanRun& run, HKEY root, const std::wstring& keyPath) {
    UniqueKey key;
    LONG opened = ERROR_SUCCESS;
    if (!OpenUnfollowed(root, keyPath, KEY_ALL_ACCESS, key, &opened)) {
        if (opened == ERROR_FILE_NOT_FOUND) return true;
        run.ReportDeletion(false, 0);
        return false;
    }
    if (IsRegistryLink(key.Get())) {
        bool gone = DeleteLinkKey(key.Get());
        run.ReportDeletion(gone, 0);
        return gone;
    }
    DWORD values = 0;
    if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        values = 0;
    std::vector<wchar_t> name(kNameChars);
    // A subkey that will not go is stepped over, so the loop ends whatever happens.
    for (DWORD index = 0;;) {
        DWORD length = kNameChars;
        if (::RegEnumKeyExW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (!DeleteWholeKey(run, key.Get(), std::wstring(name.data(), length))) ++index;
    }
    key.Reset();
    bool gone = ::RegDeleteKeyW(root, keyPath.c_str()) == ERROR_SUCCESS;
    run.ReportDeletion(gone, gone ? values : 0);
    return gone;
}

}  // namespace

void DeleteRegistryTarget(ScanRun& run, HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    if (name == L"*.*") {
        DeleteWholeKey(run, root, keyPath);
        return;
    }
    UniqueKey key;
    LONG opened = ::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.Put());
    // A key or value that is not there was not left behind: it is neither deleted nor failed.
    if (opened == ERROR_FILE_NOT_FOUND) return;
    if (opened != ERROR_SUCCESS) {
        // A key this user may only read leaves a trace behind only when the value is there.
        if (ValueExists(root, keyPath, name)) run.ReportDeletion(false, 0);
        return;
    }
    LONG result = ::RegDeleteValueW(key.Get(), name.c_str());
    if (result == ERROR_FILE_NOT_FOUND) return;
    run.ReportDeletion(result == ERROR_SUCCESS, 0);
}

}  // namespace scw::sweep
