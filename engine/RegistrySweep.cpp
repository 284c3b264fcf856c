#include "engine/SweepParts.h"

#include <vector>

#include "framework/UniqueHandle.h"

namespace scw::sweep {

namespace {

constexpr DWORD kNameChars = 16384;
constexpr DWORD kDataBytes = 16384;

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
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return true;
    if (name == L"*.*") return ScanWholeKey(ctx, key.Get(), keyPath);
    std::vector<BYTE> data(kDataBytes);
    DWORD size = kDataBytes;
    LONG result = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, data.data(), &size);
    // A value too big for the buffer is still there, and the delete would remove it: list it.
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) Report(ctx, keyPath, name);
    return true;
}

namespace {

// Deletes the key with everything below it; true if the key itself is gone.
bool DeleteWholeKey(ScanRun& run, HKEY root, const std::wstring& keyPath) {
    UniqueKey key;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS) return false;
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
    if (::RegDeleteKeyW(root, keyPath.c_str()) != ERROR_SUCCESS) return false;
    run.ReportDeletion(true, values);
    return true;
}

}  // namespace

void DeleteRegistryTarget(ScanRun& run, HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    if (name == L"*.*") {
        DeleteWholeKey(run, root, keyPath);
        return;
    }
    UniqueKey key;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS) return;
    LONG result = ::RegDeleteValueW(key.Get(), name.c_str());
    // A value that is not there was not left behind: it is neither deleted nor failed.
    if (result == ERROR_FILE_NOT_FOUND) return;
    run.ReportDeletion(result == ERROR_SUCCESS, 0);
}

}  // namespace scw::sweep
