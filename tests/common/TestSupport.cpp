#include "tests/common/TestSupport.h"

#include <tlhelp32.h>
#include <winioctl.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/Strings.h"
#include "framework/UniqueHandle.h"

namespace scw::test {

namespace {
std::atomic<unsigned> g_sequence{0};

std::wstring UniqueName(const std::wstring& hint) {
    return hint + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount()) +
           L"-" + std::to_wstring(++g_sequence);
}
}  // namespace

std::wstring TestBinFolder() { return ModuleFolder(); }

std::vector<DWORD> LiveThreadIds() {
    std::vector<DWORD> ids;
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return ids;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != ::GetCurrentProcessId()) continue;
        UniqueKernelHandle thread(::OpenThread(SYNCHRONIZE, FALSE, entry.th32ThreadID));
        if (thread && ::WaitForSingleObject(thread.Get(), 0) == WAIT_TIMEOUT) ids.push_back(entry.th32ThreadID);
    }
    return ids;
}

TempFolder::TempFolder(const std::wstring& hint) : path_(L"C:\\scourwell-tests\\" + UniqueName(hint) + L"\\") {
    MakeFolders(path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void MakeFolders(const std::wstring& folder) {
    for (size_t i = 3; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == L'\\') ::CreateDirectoryW(folder.substr(0, i).c_str(), nullptr);
    }
}

std::wstring PlantTooLongFile(const std::wstring& folder) {
    std::wstring deep = folder;
    while (deep.size() < 240) deep += L"dddddddddd\\";
    const std::wstring tooLong = deep + std::wstring(268 - deep.size(), L'x');
    MakeFolders(deep);
    WriteFileText(L"\\\\?\\" + tooLong, "long");
    return tooLong;
}

void WriteFileText(const std::wstring& path, const std::string& content) {
    size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) MakeFolders(path.substr(0, slash + 1));
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string ReadFileText(const std::wstring& path) {
    UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    return content;
}

bool FileExists(const std::wstring& path) {
    DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::wstring& folder) {
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW((base + L"*").c_str(), &data));
    if (find) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = base + name;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTree(full);
            } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderLink(full);
            } else {
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(full.c_str());
            }
        } while (::FindNextFileW(find.Get(), &data));
    }
    find.Reset();
    ::RemoveDirectoryW(base.c_str());
}

namespace {

std::wstring FromUtf8(const std::string& text) {
    int chars = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(chars, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), chars);
    return wide;
}

bool IsWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }


// Starts a Linux program from a Wine process (Wine starts native programs named by a \\?\unix
// path). Wine hands back no usable process handle for it, so callers poll for its effect.
bool StartUnix(const std::wstring& program, const std::vector<std::string>& arguments) {
    std::wstring commandLine = program;
    for (const std::string& argument : arguments) commandLine += L" \"" + FromUtf8(argument) + L"\"";
    std::wstring unixPath = L"\\\\?\\unix" + program;
    for (wchar_t& c : unixPath)
        if (c == L'/') c = L'\\';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(unixPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return false;
    if (info.hProcess) ::CloseHandle(info.hProcess);
    if (info.hThread) ::CloseHandle(info.hThread);
    return true;
}

template <typename F>
bool PollFor(F&& done) {
    for (int i = 0; i < 250; ++i, ::Sleep(20))
        if (done()) return true;
    return false;
}

bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr)) return false;
    UniqueFileHandle dir(::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!dir) return false;
    std::wstring substitute = L"\\??\\" + target;
    std::vector<BYTE> buffer(sizeof(DWORD) + 2 * sizeof(WORD) + 4 * sizeof(WORD) +
                             (substitute.size() + 1 + target.size() + 1) * sizeof(wchar_t));
    auto* words = reinterpret_cast<WORD*>(buffer.data());
    *reinterpret_cast<DWORD*>(buffer.data()) = IO_REPARSE_TAG_MOUNT_POINT;
    words[2] = static_cast<WORD>(buffer.size() - 8);            // data length
    words[4] = 0;                                               // substitute offset
    words[5] = static_cast<WORD>(substitute.size() * 2);        // substitute length
    words[6] = static_cast<WORD>((substitute.size() + 1) * 2);  // print offset
    words[7] = static_cast<WORD>(target.size() * 2);            // print length
    wchar_t* path = reinterpret_cast<wchar_t*>(words + 8);
    memcpy(path, substitute.c_str(), (substitute.size() + 1) * 2);
    memcpy(path + substitute.size() + 1, target.c_str(), (target.size() + 1) * 2);
    DWORD returned = 0;
    if (::DeviceIoControl(dir.Get(), FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                          nullptr, 0, &returned, nullptr))
        return true;
    dir.Reset();
    ::RemoveDirectoryW(link.c_str());
    return false;
}

bool IsFolderLink(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

}  // namespace

std::string UnixName(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* name = toUnix(path.c_str());
    if (!name) return {};
    std::string result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    std::wstring linkPath = WithoutTrailingSlash(link), targetPath = WithoutTrailingSlash(target);
    if (IsWine()) {
        size_t slash = linkPath.find_last_of(L'\\');
        std::string parent = UnixName(linkPath.substr(0, slash + 1));
        std::string to = UnixName(targetPath);
        if (parent.empty() || to.empty()) return false;
        if (parent.back() != '/') parent += '/';
        return StartUnix(L"/bin/ln", {"-s", to, parent + WideToUtf8(linkPath.substr(slash + 1))}) &&
               PollFor([&] { return IsFolderLink(linkPath); });
    }
    if (::CreateSymbolicLinkW(linkPath.c_str(), targetPath.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        IsFolderLink(linkPath))
        return true;
    return MakeJunction(linkPath, targetPath) && IsFolderLink(linkPath);
}

void RemoveFolderLink(const std::wstring& link) {
    std::wstring linkPath = WithoutTrailingSlash(link);
    // Wine cannot remove a Linux link through RemoveDirectoryW; rm without -r takes the link alone.
    if (IsWine() && IsFolderLink(linkPath)) {
        std::string name = UnixName(linkPath);
        if (!name.empty() && StartUnix(L"/bin/rm", {name}))
            PollFor([&] { return ::GetFileAttributesW(linkPath.c_str()) == INVALID_FILE_ATTRIBUTES; });
        return;
    }
    ::RemoveDirectoryW(linkPath.c_str());
}

bool MakeFileLink(const std::wstring& link, const std::wstring& target) {
    if (!IsWine()) return false;
    const std::string to = UnixName(target);
    const size_t slash = link.find_last_of(L'\\');
    MakeFolders(link.substr(0, slash + 1));
    std::string parent = UnixName(link.substr(0, slash + 1));
    if (to.empty() || parent.empty()) return false;
    if (parent.back() != '/') parent += '/';
    return StartUnix(L"/bin/ln", {"-s", to, parent + WideToUtf8(link.substr(slash + 1))}) &&
           PollFor([&] { return ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

bool RenameFromLinux(const std::wstring& from, const std::wstring& to) {
    if (!IsWine()) return false;
    const std::wstring source = WithoutTrailingSlash(from), destination = WithoutTrailingSlash(to);
    const std::string unixFrom = UnixName(source);
    const size_t slash = destination.find_last_of(L'\\');
    std::string parent = UnixName(destination.substr(0, slash + 1));
    if (unixFrom.empty() || parent.empty()) return false;
    if (parent.back() != '/') parent += '/';
    return StartUnix(L"/bin/mv", {unixFrom, parent + WideToUtf8(destination.substr(slash + 1))}) &&
           PollFor([&] { return ::GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

TestKey::TestKey(HKEY root, const std::wstring& hint)
    : root_(root), path_(L"Software\\ScourwellTests\\" + UniqueName(hint)) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        ::RegCloseKey(key);
}

TestKey::~TestKey() { DeleteRegTree(root_, path_); }

void SetRegString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    HKEY k = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(k);
}

void SetRegDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
    HKEY k = nullptr;
    if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(k);
}

bool RegValueExists(HKEY root, const std::wstring& key, const std::wstring& name) {
    HKEY k = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    bool found = ::RegQueryValueExW(k, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(k);
    return found;
}

bool RegKeyExists(HKEY root, const std::wstring& key) {
    HKEY k = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    ::RegCloseKey(k);
    return true;
}

void DeleteRegTree(HKEY root, const std::wstring& key) {
    ::RegDeleteTreeW(root, key.c_str());
    ::RegDeleteKeyW(root, key.c_str());
}

namespace {
void DrainPipe(HANDLE pipe, std::string* out) {
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) out->append(buffer, read);
}
}  // namespace

ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& workingFolder, DWORD timeoutMs) {
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    ::CreatePipe(&outRead, &outWrite, &inherit, 0);
    ::CreatePipe(&errRead, &errWrite, &inherit, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    si.hStdInput = nullptr;
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    BOOL ok = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                               workingFolder.empty() ? nullptr : workingFolder.c_str(), &si, &pi);
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);
    if (!ok) {
        ::CloseHandle(outRead);
        ::CloseHandle(errRead);
        result.exitCode = static_cast<DWORD>(-1);
        return result;
    }
    std::thread errReader(DrainPipe, errRead, &result.errors);
    std::thread outReader(DrainPipe, outRead, &result.output);
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        result.timedOut = true;
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, 5000);
    }
    outReader.join();
    errReader.join();
    ::GetExitCodeProcess(pi.hProcess, &result.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(outRead);
    ::CloseHandle(errRead);
    return result;
}

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& workingFolder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         workingFolder.empty() ? nullptr : workingFolder.c_str(), &si, &pi)) {
        ::CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_, 1);
        ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
}

bool ChildProcess::Wait(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_) return false;
    if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(process_, exitCode);
    return true;
}

bool TakePendingRename(const std::wstring& path) {
    const wchar_t* key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
    const wchar_t* value = L"PendingFileRenameOperations";
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS) return false;
    UniqueKey guard(opened);
    DWORD size = 0;
    if (::RegQueryValueExW(opened, value, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    ::RegQueryValueExW(opened, value, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
    std::vector<std::wstring> strings;
    for (const wchar_t* p = data.data(); p < data.data() + size / sizeof(wchar_t); p += wcslen(p) + 1)
        strings.emplace_back(p);
    // Entries come in pairs (source, destination).
    bool found = false;
    std::wstring kept;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        const std::wstring& source = strings[i];
        if (source.size() >= path.size() &&
            _wcsicmp(source.c_str() + source.size() - path.size(), path.c_str()) == 0) {
            found = true;
            continue;
        }
        kept += source + L'\0' + strings[i + 1] + L'\0';
    }
    if (kept.empty()) {
        ::RegDeleteValueW(opened, value);
    } else {
        kept += L'\0';
        ::RegSetValueExW(opened, value, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                         static_cast<DWORD>(kept.size() * sizeof(wchar_t)));
    }
    return found;
}

void PumpMessages(DWORD forMs) {
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (forMs) ::Sleep(10);
    } while (::GetTickCount() - start < forMs);
}

GuardedPage::GuardedPage() {
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    page_ = info.dwPageSize;
    base_ = static_cast<char*>(::VirtualAlloc(nullptr, page_ * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    ready_ = base_ && ::VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old);
}

GuardedPage::~GuardedPage() {
    if (base_) ::VirtualFree(base_, 0, MEM_RELEASE);
}

}  // namespace scw::test
