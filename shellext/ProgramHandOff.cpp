#include "shellext/ProgramHandOff.h"

#include <optional>
#include <string>

#include "shellext/HandOffContract.h"
#include "shellext/Module.h"

namespace lume {

namespace {

// The path in the system code page, only when converting back yields the same path: a
// character the code page lacks would turn into "?" and name another file.
std::optional<std::string> InCodePage(const std::wstring& path) {
    if (path.empty()) return std::string();
    const int wideLength = static_cast<int>(path.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, path.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::nullopt;
    std::string narrow(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, path.data(), wideLength, narrow.data(), bytes, nullptr, nullptr);
    const int back = ::MultiByteToWideChar(CP_ACP, 0, narrow.data(), bytes, nullptr, 0);
    if (back != wideLength) return std::nullopt;
    std::wstring roundTrip(static_cast<size_t>(back), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, narrow.data(), bytes, roundTrip.data(), back);
    if (roundTrip != path) return std::nullopt;
    return narrow;
}

std::wstring ModuleFolder(HMODULE module) {
    const std::wstring path = ModulePath(module);
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    return path.substr(0, slash + 1);
}

}  // namespace

HWND FindMainWindow() { return ::FindWindowA(kMainWindowClass, kMainWindowTitle); }

void SendPathToWindow(HWND window, const std::wstring& path) {
    COPYDATASTRUCT block{};
    std::optional<std::string> narrow = InCodePage(path);
    if (narrow) {
        block.dwData = kHandOffNarrow;
        block.cbData = static_cast<DWORD>(narrow->size() + 1);
        block.lpData = narrow->data();
    } else {
        block.dwData = kHandOffUtf16;
        block.cbData = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
        block.lpData = const_cast<wchar_t*>(path.c_str());
    }
    // The window's answer carries nothing; the send only waits until it has taken the path.
    ::SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
}

HRESULT StartProgramWithPath(HMODULE besideModule, const std::wstring& path) {
    const std::wstring folder = ModuleFolder(besideModule);
    if (folder.empty()) return E_FAIL;
    const std::wstring program = folder + kProgramFileName;
    // The program reads everything after "-S:" as the path, so the path itself stays unquoted.
    std::wstring commandLine = L"\"" + program + L"\" -S:" + path;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process))
        return HRESULT_FROM_WIN32(::GetLastError());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return S_OK;
}

HRESULT HandOffPath(HMODULE besideModule, const std::wstring& path) {
    if (HWND window = FindMainWindow()) {
        SendPathToWindow(window, path);
        return S_OK;
    }
    return StartProgramWithPath(besideModule, path);
}

}  // namespace lume
