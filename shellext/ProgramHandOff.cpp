#include "shellext/ProgramHandOff.h"

#include <optional>
#include <string>
#include <vector>

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

// The same file: one volume and one file index, however the two paths are spelt (case, short
// names, links on the way).
bool SameFile(const std::wstring& first, const std::wstring& second) {
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    const std::wstring* paths[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        HANDLE file = ::CreateFileW(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const BOOL read = ::GetFileInformationByHandle(file, &info[i]);
        ::CloseHandle(file);
        if (!read) return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

// True when the window's process runs this very program file.
bool RunsProgram(HWND window, const std::wstring& program) {
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(window, &processId) || processId == 0) return false;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return false;
    std::vector<wchar_t> image(1024);
    DWORD length = static_cast<DWORD>(image.size());
    const BOOL named = ::QueryFullProcessImageNameW(process, 0, image.data(), &length);
    ::CloseHandle(process);
    return named && length < image.size() && SameFile(std::wstring(image.data(), length), program);
}

}  // namespace

HWND FindMainWindow(HMODULE besideModule) {
    const std::wstring folder = ModuleFolder(besideModule);
    if (folder.empty()) return nullptr;
    const std::wstring program = folder + kProgramFileName;
    for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, kMainWindowClass, kMainWindowTitle));)
        if (RunsProgram(window, program)) return window;
    return nullptr;
}

HRESULT SendPathToWindow(HWND window, const std::wstring& path) {
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
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block), SMTO_ABORTIFHUNG,
                              kHandOffTimeoutMs, &answer))
        return S_OK;
    const DWORD error = ::GetLastError();
    return HRESULT_FROM_WIN32(error ? error : ERROR_TIMEOUT);
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
    if (HWND window = FindMainWindow(besideModule)) return SendPathToWindow(window, path);
    return StartProgramWithPath(besideModule, path);
}

}  // namespace lume
