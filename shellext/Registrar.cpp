#include "shellext/Registrar.h"

#include <oleauto.h>

#include <optional>
#include <string>
#include <vector>

#include "shellext/ClassIds.h"
#include "shellext/Module.h"
#include "shellext/RegistryScript.h"

namespace lume {

namespace {

std::optional<std::vector<ScriptRoot>> LoadScript() {
    HMODULE module = ThisModule();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(kRegistryScriptId), "REGISTRY");
    if (!found) return std::nullopt;
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const char*>(::LockResource(loaded));
    const DWORD size = ::SizeofResource(module, found);
    if (!bytes || size == 0) return std::nullopt;
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), text.data(), length);
    const std::wstring path = ModulePath(ThisModule());
    if (path.empty()) return std::nullopt;
    return ParseRegistryScript(ReplacePlaceholder(text, L"%MODULE%", path));
}

}  // namespace

HRESULT RegisterServer() {
    std::optional<std::vector<ScriptRoot>> script = LoadScript();
    if (!script) return E_UNEXPECTED;
    HRESULT hr = ApplyRegistryScript(*script);
    if (FAILED(hr)) return hr;
    ITypeLib* library = nullptr;
    hr = ::LoadTypeLibEx(ModulePath(ThisModule()).c_str(), REGKIND_REGISTER, &library);
    if (library) library->Release();
    return hr;
}

HRESULT UnregisterServer() {
    std::optional<std::vector<ScriptRoot>> script = LoadScript();
    if (!script) return E_UNEXPECTED;
    RemoveRegistryScript(*script);
#ifdef _WIN64
    const SYSKIND kind = SYS_WIN64;
#else
    const SYSKIND kind = SYS_WIN32;
#endif
    // Already gone counts as done.
    const HRESULT hr = ::UnRegisterTypeLib(kLibidLumeShl, 1, 0, LOCALE_NEUTRAL, kind);
    return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_CANTLOADLIBRARY ? S_OK : hr;
}

}  // namespace lume
