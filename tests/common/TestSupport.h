#pragma once
// Helpers shared by the suites: real folders, files, registry keys and processes in the test prefix.
#include <windows.h>

#include <string>
#include <vector>

namespace scw::test {

// Folder of the running test program (ends in a backslash).
std::wstring TestBinFolder();

// A fresh folder below C:\scourwell-tests that is removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& hint = L"t");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // With a trailing backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + relative; }

private:
    std::wstring path_;
};

// Writes a file, creating its folders; the content is written as bytes.
void WriteFileText(const std::wstring& path, const std::string& content = "x");
std::string ReadFileText(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
void MakeFolders(const std::wstring& folder);
// Removes a folder tree, never following links.
void RemoveTree(const std::wstring& folder);
// Writes "long" to a file 268 characters long in full, over the platform limit, in folders made
// below `folder` (ending in a backslash) for it; its folder's own path is still within the limit.
// Returns its path, without the long-path prefix that reaching it takes.
std::wstring PlantTooLongFile(const std::wstring& folder);

// Makes `link` a folder link to `target` (an existing folder); false when this system cannot.
// Under Wine the system calls report success and make nothing, so a Linux symbolic link is made
// instead, which Wine shows as a folder link (directory + reparse point).
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);
// Removes the link only, never what it points to.
void RemoveFolderLink(const std::wstring& link);
// The Linux name of a Windows path under Wine; empty when it has none.
std::string UnixName(const std::wstring& path);
// Under Wine: makes `link` a Linux link to the file `target`, which Wine shows as a plain file;
// false elsewhere.
bool MakeFileLink(const std::wstring& link, const std::wstring& target);
// Under Wine: renames from the Linux side, where no Windows sharing rule can stop it.
bool RenameFromLinux(const std::wstring& from, const std::wstring& to);

// A key below HKCU\Software\ScourwellTests that is deleted with its subtree at the end.
class TestKey {
public:
    explicit TestKey(HKEY root = HKEY_CURRENT_USER, const std::wstring& hint = L"k");
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;
    HKEY Root() const { return root_; }
    const std::wstring& Path() const { return path_; }

private:
    HKEY root_;
    std::wstring path_;
};

void SetRegString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);
void SetRegDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
bool RegValueExists(HKEY root, const std::wstring& key, const std::wstring& name);
bool RegKeyExists(HKEY root, const std::wstring& key);
void DeleteRegTree(HKEY root, const std::wstring& key);

struct ProcessResult {
    DWORD exitCode = 0;
    bool timedOut = false;
    std::string output;  // standard output
    std::string errors;  // standard error
};

// Runs a program and waits for it; the output pipes are read while it runs.
ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& workingFolder = L"",
                         DWORD timeoutMs = 60000);

// A started program that is ended when the object goes.
class ChildProcess {
public:
    ChildProcess(const std::wstring& commandLine, const std::wstring& workingFolder = L"");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Started() const { return process_ != nullptr; }
    // Waits for the end; false on time-out.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
    DWORD Id() const { return id_; }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Polls until the predicate holds or the time runs out, pumping this thread's messages.
template <typename F>
bool WaitUntil(F&& predicate, DWORD timeoutMs = 10000) {
    DWORD start = ::GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(20);
    }
}

// Removes the delete-at-restart entry that a failed delete of this path queued; true if it was there.
bool TakePendingRename(const std::wstring& path);

// The ids of this process's threads that are alive now.
std::vector<DWORD> LiveThreadIds();

// Dispatches pending messages of this thread (and drops a stray quit message).
void PumpMessages(DWORD forMs = 0);

// A readable page followed by one that may not be read: bytes placed at Tail(n) end exactly
// where a read past them crashes the test.
class GuardedPage {
public:
    GuardedPage();
    ~GuardedPage();
    GuardedPage(const GuardedPage&) = delete;
    GuardedPage& operator=(const GuardedPage&) = delete;
    bool Ready() const { return ready_; }
    char* Tail(size_t count) const { return base_ + page_ - count; }

private:
    char* base_ = nullptr;
    size_t page_ = 0;
    bool ready_ = false;
};

}  // namespace scw::test
