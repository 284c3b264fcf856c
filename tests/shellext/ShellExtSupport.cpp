#include "ShellExtSupport.h"

#include <commctrl.h>
#include <shlobj.h>
#include <winternl.h>

#include <cstring>
#include <new>

#include <gtest/gtest.h>

#include "shellext/ClassIds.h"
#include "shellext/HandOffContract.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

namespace {

// Copies a key with its values and subkeys.
void CopyTree(HKEY fromRoot, const std::wstring& from, HKEY toRoot, const std::wstring& to) {
    HKEY source = nullptr;
    if (::RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) return;
    HKEY target = nullptr;
    if (::RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
        ERROR_SUCCESS) {
        ::RegCopyTreeW(source, nullptr, target);
        ::RegCloseKey(target);
    }
    ::RegCloseKey(source);
}

std::vector<std::wstring> OurClassKeys() {
    return {std::wstring(L"CLSID\\") + kClsidText, L"LumeShl.NixShl", L"LumeShl.NixShl.1",
            std::wstring(L"TypeLib\\") + kLibidText, std::wstring(L"Interface\\") + kIidText};
}

// Hands out a copy of one file list in CF_HDROP form and nothing else.
class FileList : public IDataObject {
public:
    explicit FileList(const std::vector<std::wstring>& paths) {
        for (const std::wstring& path : paths) list_.insert(list_.end(), path.c_str(), path.c_str() + path.size() + 1);
        list_.push_back(L'\0');
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!::IsEqualIID(iid, IID_IUnknown) && !::IsEqualIID(iid, IID_IDataObject)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        const size_t listBytes = list_.size() * sizeof(wchar_t);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + listBytes);
        if (!memory) return E_OUTOFMEMORY;
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list_.data(), listBytes);
        ::GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) &&
                       format->dwAspect == DVASPECT_CONTENT
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    virtual ~FileList() = default;
    LONG refs_ = 1;
    std::vector<wchar_t> list_;
};

using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

}  // namespace

std::wstring RegText(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"<none>";
    return text;
}

ServerModule::ServerModule(const std::wstring& path) : module_(::LoadLibraryW(path.c_str())) {}

ServerModule::~ServerModule() {
    if (module_) ::FreeLibrary(module_);
}

std::wstring ServerModule::LoadedPath() const {
    wchar_t path[1024] = {};
    const DWORD n = ::GetModuleFileNameW(module_, path, 1024);
    return std::wstring(path, n < 1024 ? n : 0);
}

HRESULT ServerModule::NewHandler(REFIID iid, void** object) const {
    auto getClassObject = Export<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
    if (!getClassObject) return E_NOTIMPL;
    ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(lume::kClsidNixShl, IID_IClassFactory, factory.PutVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(nullptr, iid, object);
}

CopyDataRecorder::CopyDataRecorder(const wchar_t* className) : className_(className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className_.c_str();
    ::RegisterClassW(&wc);
    hwnd_ = ::CreateWindowExW(0, className_.c_str(), L"Scourwell", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CopyDataRecorder::~CopyDataRecorder() {
    ::DestroyWindow(hwnd_);
    // The class name may be the main window's own: leave it free for the next user.
    ::UnregisterClassW(className_.c_str(), ::GetModuleHandleW(nullptr));
}

LRESULT CALLBACK CopyDataRecorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CopyDataRecorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
        const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        Received received{block->dwData, block->cbData, {}};
        if (block->lpData) {
            const char* bytes = static_cast<const char*>(block->lpData);
            received.data.assign(bytes, bytes + block->cbData);
        }
        self->received_.push_back(std::move(received));
        return TRUE;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {
constexpr wchar_t kRecordVariable[] = L"SCOURWELL_TEST_RECORD";
constexpr wchar_t kHangVariable[] = L"SCOURWELL_TEST_HANG";

// One line a message: identifier, byte count, the bytes in hexadecimal.
std::string RecordLine(const CopyDataRecorder::Received& received) {
    static const char digits[] = "0123456789abcdef";
    std::string line = std::to_string(received.identifier) + " " + std::to_string(received.bytes) + " ";
    for (char c : received.data) {
        line += digits[static_cast<unsigned char>(c) >> 4];
        line += digits[static_cast<unsigned char>(c) & 15];
    }
    return line + "\n";
}

}  // namespace

HWND MainWindowOfProcess(DWORD processId) {
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, lume::kMainWindowClassW, L"Scourwell"));) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

RemoteRecorder::RemoteRecorder(const std::wstring& folder, bool hang) : record_(folder + L"received.txt") {
    const std::wstring program = folder + L"Scourwell.exe";
    EXPECT_TRUE(::CopyFileW((TestBinFolder() + L"test_shellext.exe").c_str(), program.c_str(), FALSE));
    ::SetEnvironmentVariableW(kRecordVariable, record_.c_str());
    ::SetEnvironmentVariableW(kHangVariable, hang ? L"1" : nullptr);
    process_ = std::make_unique<ChildProcess>(L"\"" + program + L"\" --gtest_filter=ShellExtReceiver.*", folder);
    ::SetEnvironmentVariableW(kRecordVariable, nullptr);
    ::SetEnvironmentVariableW(kHangVariable, nullptr);
    EXPECT_TRUE(process_->Started());
    EXPECT_TRUE(WaitUntil([&] { return (hwnd_ = MainWindowOfProcess(process_->Id())) != nullptr; }, 30000))
        << "the recorder's window did not show";
}

RemoteRecorder::~RemoteRecorder() = default;

std::vector<CopyDataRecorder::Received> RemoteRecorder::Messages() const {
    std::vector<CopyDataRecorder::Received> messages;
    const std::string text = FileExists(record_) ? ReadFileText(record_) : std::string();
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = text.substr(start, end - start);
        const size_t first = line.find(' '), second = line.find(' ', first + 1);
        CopyDataRecorder::Received received{std::stoull(line.substr(0, first)),
                                            static_cast<DWORD>(std::stoul(line.substr(first + 1, second - first - 1))),
                                            {}};
        for (size_t at = second + 1; at + 1 < line.size(); at += 2)
            received.data.push_back(static_cast<char>(std::stoi(line.substr(at, 2), nullptr, 16)));
        messages.push_back(std::move(received));
    }
    return messages;
}

void RemoteRecorder::RunHere() {
    wchar_t record[1024] = {};
    if (!::GetEnvironmentVariableW(kRecordVariable, record, 1024)) return;
    CopyDataRecorder window{lume::kMainWindowClassW};
    if (::GetEnvironmentVariableW(kHangVariable, nullptr, 0)) {
        ::Sleep(60000);  // never looks at its messages
        return;
    }
    size_t written = 0;
    // Ended by the test that started it.
    for (const ULONGLONG start = ::GetTickCount64(); ::GetTickCount64() - start < 120000;) {
        PumpMessages(20);
        if (window.Messages().size() == written) continue;
        std::string text;
        for (const CopyDataRecorder::Received& received : window.Messages()) text += RecordLine(received);
        WriteFileText(record, text);
        written = window.Messages().size();
    }
}

HRESULT SelectionDataObject(const std::wstring& folder, const std::vector<std::wstring>& names,
                            IDataObject** data) {
    *data = nullptr;
    ComPtr<IShellFolder> desktop;
    HRESULT hr = ::SHGetDesktopFolder(desktop.Put());
    if (FAILED(hr)) return hr;
    PIDLIST_ABSOLUTE folderId = nullptr;
    hr = ::SHParseDisplayName(folder.c_str(), nullptr, &folderId, 0, nullptr);
    if (FAILED(hr)) return hr;
    ComPtr<IShellFolder> shellFolder;
    hr = desktop->BindToObject(folderId, nullptr, IID_IShellFolder, shellFolder.PutVoid());
    ::CoTaskMemFree(folderId);
    if (FAILED(hr)) return hr;
    std::vector<PITEMID_CHILD> children;
    for (const std::wstring& name : names) {
        PIDLIST_RELATIVE child = nullptr;
        hr = shellFolder->ParseDisplayName(nullptr, nullptr, const_cast<wchar_t*>(name.c_str()), nullptr, &child,
                                           nullptr);
        if (FAILED(hr)) break;
        children.push_back(reinterpret_cast<PITEMID_CHILD>(child));
    }
    if (SUCCEEDED(hr))
        hr = shellFolder->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()),
                                        const_cast<PCUITEMID_CHILD_ARRAY>(children.data()), IID_IDataObject, nullptr,
                                        reinterpret_cast<void**>(data));
    for (PITEMID_CHILD child : children) ::CoTaskMemFree(child);
    return hr;
}

HRESULT FileListDataObject(const std::vector<std::wstring>& paths, IDataObject** data) {
    *data = new (std::nothrow) FileList(paths);
    return *data ? S_OK : E_OUTOFMEMORY;
}

HRESULT ChooseShredEntry(IUnknown* handler, IDataObject* data) {
    ComPtr<IShellExtInit> init;
    HRESULT hr = handler->QueryInterface(IID_IShellExtInit, init.PutVoid());
    if (FAILED(hr)) return hr;
    hr = init->Initialize(nullptr, data, nullptr);
    if (FAILED(hr)) return hr;
    ComPtr<IContextMenu> menu;
    hr = handler->QueryInterface(IID_IContextMenu, menu.PutVoid());
    if (FAILED(hr)) return hr;
    HMENU popup = ::CreatePopupMenu();
    hr = menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL);
    const int items = ::GetMenuItemCount(popup);
    ::DestroyMenu(popup);
    if (FAILED(hr)) return hr;
    if (HRESULT_CODE(hr) != 1 || items != 1) return E_UNEXPECTED;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(0);
    info.nShow = SW_SHOWNORMAL;
    return menu->InvokeCommand(&info);
}

MachineClassMirror::MachineClassMirror() {
    for (const std::wstring& key : OurClassKeys()) {
        const std::wstring user = std::wstring(kUserClasses) + L"\\" + key;
        if (!RegKeyExists(HKEY_CURRENT_USER, user)) continue;
        CopyTree(HKEY_CURRENT_USER, user, HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\") + key);
        copied_.push_back(key);
    }
}

MachineClassMirror::~MachineClassMirror() {
    for (const std::wstring& key : copied_) DeleteRegTree(HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + key);
}

bool RunSetup(const std::wstring& installFolder, DWORD* exitCode) {
    // "/D=" must come last and unquoted; it may hold blanks.
    ProcessResult result =
        RunProcess(L"\"" + TestBinFolder() + L"scourwell-setup.exe\" /S /D=" + installFolder, L"", 120000);
    if (exitCode) *exitCode = result.exitCode;
    return !result.timedOut && result.exitCode == 0;
}

bool RunUninstaller(const std::wstring& installFolder, bool folderStays) {
    // The uninstaller copies itself away and returns at once; its copy removes the folder, then
    // the program's entry in the registry.
    std::wstring folder = installFolder;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    ProcessResult result = RunProcess(L"\"" + folder + L"\\uninstall.exe\" /S", L"", 120000);
    if (result.timedOut || result.exitCode != 0) return false;
    if (folderStays)
        return WaitUntil([] { return !RegKeyExists(HKEY_CURRENT_USER, kUninstallKey); }, 60000);
    if (WaitUntil([&] { return !FolderExists(folder); }, 60000)) return true;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    std::wstring left;
    if (find != INVALID_HANDLE_VALUE) {
        do left += std::wstring(L" ") + entry.cFileName;
        while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ADD_FAILURE() << "the install folder stays, holding:" << std::string(left.begin(), left.end());
    return false;
}

std::wstring ProcessCommandLine(HANDLE process) {
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) return {};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!::ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
        !::ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr))
        return {};
    std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!::ReadProcessMemory(process, parameters.CommandLine.Buffer, text.data(), parameters.CommandLine.Length,
                             nullptr))
        return {};
    return text;
}

std::wstring ProcessImagePath(HANDLE process) {
    wchar_t path[1024] = {};
    DWORD size = 1024;
    if (!::QueryFullProcessImageNameW(process, 0, path, &size)) return {};
    return std::wstring(path, size);
}

namespace {

// The shredder page's list: 10001 beside the page's Shred button (15009); other pages may use
// the same control id.
HWND FindShredList(HWND mainWindow) {
    HWND list = nullptr;
    ::EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            ::GetClassNameW(child, name, 64);
            if (::GetDlgCtrlID(child) != 10001 || ::lstrcmpiW(name, WC_LISTVIEWW) != 0 ||
                !::GetDlgItem(::GetParent(child), 15009))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&list));
    return list;
}

bool Shown(HWND window) { return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

bool ShowsOnlyTheShredPage(HWND mainWindow) {
    HWND list = FindShredList(mainWindow);
    if (!list) return false;
    HWND shredPage = ::GetParent(list);
    if (::GetParent(shredPage) != mainWindow || !Shown(shredPage)) return false;
    // The pages are the main window's child dialogs; no other may show beside the shredder.
    for (HWND child = ::GetWindow(mainWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        ::GetClassNameW(child, name, 64);
        if (child != shredPage && ::lstrcmpW(name, L"#32770") == 0 && Shown(child)) return false;
    }
    return true;
}

std::vector<std::wstring> RemoteShredList(HWND mainWindow, bool* hasList) {
    *hasList = false;
    HWND list = FindShredList(mainWindow);
    if (!list) return {};
    *hasList = true;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(list, &processId);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return {};
    constexpr int kChars = 1024;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t),
                                    MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    std::vector<std::wstring> paths;
    auto cell = [&](int row, int column) {
        LVITEMW item{};
        item.iSubItem = column;
        item.cchTextMax = kChars;
        item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(LVITEMW));
        ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
        std::wstring text(kChars, L'\0');
        ::ReadProcessMemory(process, item.pszText, text.data(), kChars * sizeof(wchar_t), nullptr);
        text.resize(::wcsnlen(text.c_str(), kChars));
        return text;
    };
    if (remote) {
        const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row) paths.push_back(cell(row, 1) + cell(row, 0));
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return paths;
}

}  // namespace scw::test
