#pragma once
// Helpers of the shell extension suite: COM on the test thread, the file manager's own data
// object for real files, the class keys Wine needs, the installer, and the other process's view.
#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

namespace scw::test {

inline constexpr wchar_t kClsidText[] = L"{5C0A7E31-8B1D-4F6A-9E2C-3D7B41A6F0C9}";
inline constexpr wchar_t kLibidText[] = L"{7E4B2D90-1C3F-4A85-B6E7-2F9D0C8A5B13}";
inline constexpr wchar_t kUserClasses[] = L"Software\\Classes";

// A REG_SZ value's text, or "<none>".
std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name = nullptr);

// The data object the file manager hands a context-menu handler for these files of one folder,
// from the folder's own shell object (IShellFolder::GetUIObjectOf).
HRESULT SelectionDataObject(const std::wstring& folder, const std::vector<std::wstring>& names,
                            IDataObject** data);

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
bool RunSetup(const std::wstring& installFolder);
// Runs the installed uninstaller silently and waits until it has removed the install folder.
bool RunUninstaller(const std::wstring& installFolder);

// The command line another process was started with, read from its process parameters.
std::wstring ProcessCommandLine(HANDLE process);
std::wstring ProcessImagePath(HANDLE process);

// The full paths in another process's shredder list (control 10001 of the page that holds the
// Shred button), or none when there is no such list.
std::vector<std::wstring> RemoteShredList(HWND mainWindow, bool* hasList);

}  // namespace scw::test
