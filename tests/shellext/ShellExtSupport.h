#pragma once
// Helpers of the shell extension suite: COM on the test thread, the file manager's own data
// object for real files, the class keys Wine needs, the installer, and the other process's view.
#include <windows.h>
#include <objidl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

inline constexpr wchar_t kClsidText[] = L"{5C0A7E31-8B1D-4F6A-9E2C-3D7B41A6F0C9}";
inline constexpr wchar_t kLibidText[] = L"{7E4B2D90-1C3F-4A85-B6E7-2F9D0C8A5B13}";
inline constexpr wchar_t kIidText[] = L"{A3D61F2E-5B07-4C9A-8E14-6F2B9D3C7A58}";
// The system's marshaller of dual interfaces described by a type library.
inline constexpr wchar_t kAutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";
inline constexpr wchar_t kUserClasses[] = L"Software\\Classes";
inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Scourwell";

// A REG_SZ value's text, or "<none>".
std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name = nullptr);

// The DLL loaded into this process from a path, as the file manager loads it. Released objects
// of the DLL must be gone before this is.
class ServerModule {
public:
    explicit ServerModule(const std::wstring& path);
    ~ServerModule();
    ServerModule(const ServerModule&) = delete;
    ServerModule& operator=(const ServerModule&) = delete;

    HMODULE Handle() const { return module_; }
    // The file the system actually loaded.
    std::wstring LoadedPath() const;
    template <typename F>
    F Export(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
    }
    // A new handler from the DLL's class object.
    HRESULT NewHandler(REFIID iid, void** object) const;

private:
    HMODULE module_ = nullptr;
};

// A top-level window titled "Scourwell" of the given class that records every WM_COPYDATA it
// gets, byte for byte.
class CopyDataRecorder {
public:
    struct Received {
        ULONG_PTR identifier;
        DWORD bytes;
        std::vector<char> data;
    };
    explicit CopyDataRecorder(const wchar_t* className);
    ~CopyDataRecorder();
    CopyDataRecorder(const CopyDataRecorder&) = delete;
    CopyDataRecorder& operator=(const CopyDataRecorder&) = delete;

    HWND Hwnd() const { return hwnd_; }
    const std::vector<Received>& Messages() const { return received_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring className_;
    HWND hwnd_ = nullptr;
    std::vector<Received> received_;
};

// The window of our class titled "Scourwell" that belongs to the process, or null.
HWND MainWindowOfProcess(DWORD processId);

// A window of our class and title in a process of its own that runs "Scourwell.exe" from the
// given folder (a copy of this test program), as the real main window does: the only window the
// extension hands a path to. It records what it gets; with `hang` it never answers at all.
class RemoteRecorder {
public:
    RemoteRecorder(const std::wstring& folder, bool hang = false);
    ~RemoteRecorder();
    RemoteRecorder(const RemoteRecorder&) = delete;
    RemoteRecorder& operator=(const RemoteRecorder&) = delete;

    // Its window, once it is there.
    HWND Hwnd() const { return hwnd_; }
    // What it has received so far.
    std::vector<CopyDataRecorder::Received> Messages() const;
    // The body of the recorder process, run by the helper test below.
    static void RunHere();

private:
    std::wstring record_;
    std::unique_ptr<ChildProcess> process_;
    HWND hwnd_ = nullptr;
};

// The data object the file manager hands a context-menu handler for these files of one folder,
// from the folder's own shell object (IShellFolder::GetUIObjectOf).
HRESULT SelectionDataObject(const std::wstring& folder, const std::vector<std::wstring>& names,
                            IDataObject** data);

// A data object of our own that offers only this file list (CF_HDROP, UTF-16), for paths the
// shell's folder object will not parse.
HRESULT FileListDataObject(const std::vector<std::wstring>& paths, IDataObject** data);

// Initialize, QueryContextMenu on a real menu and InvokeCommand by the entry's offset, as the
// file manager does when the user chooses the entry. The handler comes from the class object.
HRESULT ChooseShredEntry(IUnknown* handler, IDataObject* data);

// Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine 8 does not. While this lives,
// the user's keys of our class, type library and interface are copied to the machine's classes,
// which is what Windows shows a process after a per-user registration.
class MachineClassMirror {
public:
    MachineClassMirror();
    ~MachineClassMirror();
    MachineClassMirror(const MachineClassMirror&) = delete;
    MachineClassMirror& operator=(const MachineClassMirror&) = delete;

private:
    std::vector<std::wstring> copied_;
};

// Runs the built setup silently into the folder (which may hold blanks); true on exit code 0.
bool RunSetup(const std::wstring& installFolder, DWORD* exitCode = nullptr);
// Runs the installed uninstaller silently and waits until it has removed the install folder, or,
// when the folder is to stay (it holds files of others), until it has removed its own entry.
bool RunUninstaller(const std::wstring& installFolder, bool folderStays = false);

// The command line another process was started with, read from its process parameters.
std::wstring ProcessCommandLine(HANDLE process);
std::wstring ProcessImagePath(HANDLE process);

// The full paths in another process's shredder list (control 10001 of the page that holds the
// Shred button), or none when there is no such list.
std::vector<std::wstring> RemoteShredList(HWND mainWindow, bool* hasList);
// True when another process's main window shows its shredder page and no other page.
bool ShowsOnlyTheShredPage(HWND mainWindow);

}  // namespace scw::test
