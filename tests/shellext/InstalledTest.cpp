// The silent setup, the file manager's use of the installed extension from another process, the
// hand-off to a running or a started Scourwell, and the silent uninstall.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>
#include <optional>

#include "ShellExtSupport.h"
#include "app/LumeDlg.h"
#include "app/ProcessState.h"
#include "state/Settings.h"
#include "app/TrayIcon.h"
#include "app/WebPages.h"
#include "res/resource.h"
#include "shellext/ClassIds.h"
#include "shellext/HandOffContract.h"
#include "shred/page/DlgShred.h"
#include "tests/common/TestSupport.h"

using namespace scw;
using namespace scw::test;

namespace {

constexpr wchar_t kChooseVariable[] = L"SCOURWELL_TEST_CHOOSE";
constexpr wchar_t kExpectDllVariable[] = L"SCOURWELL_TEST_EXPECT_DLL";
// A name no Western code page can carry: a snowman and a CJK sign.
const std::wstring kWideName = L"\u2603 \u6587 shred.txt";

std::wstring Env(const wchar_t* name) {
    wchar_t value[4096] = {};
    const DWORD n = ::GetEnvironmentVariableW(name, value, 4096);
    return n > 0 && n < 4096 ? std::wstring(value, n) : std::wstring();
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::wstring::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// What the shredder page lists; the one place that knows how to ask the page.
std::vector<std::wstring> ListedForShredding(CLumeDlg& window) { return window.ShredPage().QueuedPaths(); }

class InstalledShellExt : public testing::Test {
protected:
    void SetUp() override {
        starKeyExisted = RegKeyExists(HKEY_CURRENT_USER, L"Software\\Classes\\*");
        ASSERT_TRUE(::CopyFileW((TestBinFolder() + L"scourwell-cli.exe").c_str(), (base / L"Scour.exe").c_str(), FALSE))
            << "a program where an unquoted start would look first";
        ASSERT_TRUE(RunSetup(installFolder));
        mirror = std::make_unique<MachineClassMirror>();
        MakeFolders(files);
    }

    void TearDown() override {
        window.reset();
        mirror.reset();
        if (!uninstalled) RunUninstaller(installFolder);
        ::DeleteFileW(SettingsFile().Path().c_str());
        if (savedSettings) WriteFileText(SettingsFile().Path(), *savedSettings);
        TheProcessState() = ProcessState{};
        CTrayIcon::SetNotifier(nullptr);
        SetWebPageOpener(nullptr);
    }

    // Another process does what the file manager does with the installed class for these files.
    void ChooseInAnotherProcess(const std::vector<std::wstring>& names) {
        std::wstring selection = files;
        for (const std::wstring& name : names) selection += L"|" + name;
        ::SetEnvironmentVariableW(kChooseVariable, selection.c_str());
        ::SetEnvironmentVariableW(kExpectDllVariable, (installFolder + L"\\lumeShl.dll").c_str());
        ChildProcess chooser(L"\"" + TestBinFolder() + L"test_shellext.exe\" --gtest_filter=ShellExtChooser.*");
        ::SetEnvironmentVariableW(kChooseVariable, nullptr);
        ::SetEnvironmentVariableW(kExpectDllVariable, nullptr);
        ASSERT_TRUE(chooser.Started());
        DWORD code = 1;
        // The hand-off is a sent message: it is answered only while this thread pumps.
        ASSERT_TRUE(WaitUntil([&] { return chooser.Wait(0, &code); }, 60000));
        EXPECT_EQ(code, 0u) << "the chooser process reported a failure";
    }

    // The main window in this process, started hidden in the tray as with "-A".
    CLumeDlg& OpenHiddenWindow() {
        const std::wstring settings = SettingsFile().Path();
        if (FileExists(settings)) savedSettings = ReadFileText(settings);
        TheProcessState() = ProcessState{};
        TheProcessState().autoStartFlag = true;
        CTrayIcon::SetNotifier([](DWORD, const NOTIFYICONDATAW&) { return TRUE; });
        SetWebPageOpener([](const std::wstring&, int) {});
        window = std::make_unique<CLumeDlg>();
        EXPECT_TRUE(window->Create(nullptr));
        ::UpdateWindow(window->GetSafeHwnd());
        PumpMessages(200);
        return *window;
    }

    TempFolder base{L"installed"};
    const std::wstring installFolder = base / L"Scour Well";
    const std::wstring files = base / L"files\\";
    std::unique_ptr<MachineClassMirror> mirror;
    std::unique_ptr<CLumeDlg> window;
    std::optional<std::string> savedSettings;
    bool starKeyExisted = false;
    bool uninstalled = false;
};

}  // namespace

// Runs in a second process, started by the tests below: creates the class by its CLSID as the
// file manager does and chooses the entry for the files named in the environment.
TEST(ShellExtChooser, ChoosesTheShredEntryForTheSelection) {
    const std::wstring selection = Env(kChooseVariable);
    if (selection.empty()) GTEST_SKIP() << "helper of other tests";
    std::vector<std::wstring> parts = Split(selection, L'|');
    const std::wstring folder = parts.front();
    parts.erase(parts.begin());

    ComScope com;
    ComPtr<IUnknown> handler;
    ASSERT_EQ(::CoCreateInstance(lume::kClsidNixShl, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, handler.PutVoid()),
              S_OK);
    wchar_t loaded[1024] = {};
    ::GetModuleFileNameW(::GetModuleHandleW(L"lumeShl.dll"), loaded, 1024);
    EXPECT_EQ(::lstrcmpiW(loaded, Env(kExpectDllVariable).c_str()), 0) << "the installed DLL serves the class";
    ComPtr<IDataObject> data;
    ASSERT_EQ(SelectionDataObject(folder, parts, data.Put()), S_OK);
    EXPECT_EQ(ChooseShredEntry(handler.Get(), data.Get()), S_OK);
}

TEST_F(InstalledShellExt, SilentSetupPutsEverythingInPlaceAndSilentUninstallLeavesNothing) {
    const std::wstring folder = installFolder + L"\\";
    for (const wchar_t* name :
         {L"Scourwell.exe", L"scourwell-cli.exe", L"lumeShl.dll", L"uninstall.exe", L"rules\\modern.ini"})
        EXPECT_TRUE(FileExists(folder + name)) << name;

    const std::wstring classes = L"Software\\Classes\\";
    const std::wstring clsid = classes + L"CLSID\\" + kClsidText;
    auto value = [](const std::wstring& key, const wchar_t* name = nullptr) {
        return RegText(HKEY_CURRENT_USER, key, name);
    };
    EXPECT_EQ(value(clsid + L"\\InprocServer32"), folder + L"lumeShl.dll");
    EXPECT_EQ(value(clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(value(clsid + L"\\ProgID"), L"LumeShl.NixShl.1");
    EXPECT_EQ(value(clsid + L"\\TypeLib"), kLibidText);
    EXPECT_EQ(value(classes + L"LumeShl.NixShl\\CurVer"), L"LumeShl.NixShl.1");
    EXPECT_EQ(value(classes + L"TypeLib\\" + kLibidText + L"\\1.0\\0\\win64"), folder + L"lumeShl.dll");
    // The dual interface, as registering the type library writes it: described by our library and
    // marshalled by the automation marshaller.
    const std::wstring iface = classes + L"Interface\\" + kIidText;
    EXPECT_EQ(value(iface), L"INixShl");
    EXPECT_EQ(value(iface + L"\\TypeLib"), kLibidText);
    EXPECT_EQ(value(iface + L"\\TypeLib", L"Version"), L"1.0");
    EXPECT_EQ(value(iface + L"\\ProxyStubClsid"), kAutomationMarshaller);
    EXPECT_EQ(value(iface + L"\\ProxyStubClsid32"), kAutomationMarshaller);
    EXPECT_EQ(value(classes + L"*\\shellex\\ContextMenuHandlers\\LumeShl"), kClsidText);
    const std::wstring approved = L"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
    EXPECT_EQ(value(approved, kClsidText), L"NixShl Class");
    const std::wstring uninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Scourwell";
    EXPECT_EQ(value(uninstallKey, L"DisplayName"), L"Scourwell");
    EXPECT_EQ(value(uninstallKey, L"DisplayVersion"), L"1.0.0.0");
    EXPECT_EQ(value(uninstallKey, L"Publisher"), L"Scourwell");
    EXPECT_EQ(value(uninstallKey, L"UninstallString"), L"\"" + folder + L"uninstall.exe\"");
    EXPECT_EQ(value(uninstallKey, L"DisplayIcon"), folder + L"Scourwell.exe,0");
    DWORD size = 0, bytes = sizeof size;
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, uninstallKey.c_str(), L"EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                             &size, &bytes),
              ERROR_SUCCESS);
    EXPECT_GT(size, 100u) << "kilobytes";
    wchar_t programs[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs), S_OK);
    const std::wstring shortcut = std::wstring(programs) + L"\\Scourwell.lnk";
    EXPECT_TRUE(FileExists(shortcut));

    // What the program itself leaves in its folder and the registry while it is used.
    WriteFileText(folder + L"setting.ini", "[General]\r\n");
    WriteFileText(folder + L"update.ini", "[Update]\r\n");
    const std::wstring run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    SetRegString(HKEY_CURRENT_USER, run, L"Scourwell", L"\"" + folder + L"Scourwell.exe\" -A");
    SetRegString(HKEY_CURRENT_USER, run, L"SentinelProgram", L"C:\\other.exe");

    mirror.reset();
    ASSERT_TRUE(RunUninstaller(installFolder));
    uninstalled = true;
    EXPECT_FALSE(FolderExists(installFolder));
    EXPECT_FALSE(FileExists(shortcut));
    for (const std::wstring& key :
         {clsid, classes + L"LumeShl.NixShl", classes + L"LumeShl.NixShl.1", classes + L"TypeLib\\" + kLibidText, iface,
          classes + L"*\\shellex\\ContextMenuHandlers\\LumeShl", uninstallKey})
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key)) << std::string(key.begin(), key.end());
    EXPECT_EQ(RegKeyExists(HKEY_CURRENT_USER, classes + L"*"), starKeyExisted);
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, run, L"Scourwell"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, approved, kClsidText));
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, run, L"SentinelProgram")) << "other programs' start stays";
    HKEY runKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, run.c_str(), 0, KEY_SET_VALUE, &runKey) == ERROR_SUCCESS) {
        ::RegDeleteValueW(runKey, L"SentinelProgram");
        ::RegCloseKey(runKey);
    }
}

TEST_F(InstalledShellExt, TheRunningWindowTakesTheFirstFileFromAnotherProcessWhole) {
    WriteFileText(files + L"first.txt");
    WriteFileText(files + L"second.txt");
    WriteFileText(files + kWideName);
    CLumeDlg& w = OpenHiddenWindow();
    ASSERT_FALSE(::IsWindowVisible(w.GetSafeHwnd())) << "hidden in the tray";
    CopyDataRecorder decoy{L"ScourwellDecoy"};  // another program's window titled like ours
    ASSERT_EQ(::FindWindowW(nullptr, L"Scourwell"), decoy.Hwnd()) << "the decoy is the first window by title";

    ChooseInAnotherProcess({L"first.txt", L"second.txt"});
    EXPECT_EQ(ListedForShredding(w), std::vector<std::wstring>{files + L"first.txt"}) << "only the first file";
    EXPECT_TRUE(::IsWindowVisible(w.GetSafeHwnd()));
    EXPECT_EQ(w.CurrentPage(), kPageShred);
    EXPECT_EQ(w.SelectedTab(), kPageShred);
    EXPECT_TRUE(decoy.Messages().empty()) << "another program's window titled Scourwell gets nothing";

    ChooseInAnotherProcess({kWideName});
    EXPECT_EQ(ListedForShredding(w), (std::vector<std::wstring>{files + L"first.txt", files + kWideName}));
}

TEST_F(InstalledShellExt, WithNoWindowTheInstalledProgramStartsOnTheShredderWithThePath) {
    const std::wstring path = files + kWideName;
    WriteFileText(path);
    ASSERT_EQ(::FindWindowW(lume::kMainWindowClassW, L"Scourwell"), nullptr);

    ChooseInAnotherProcess({kWideName});
    HWND started = nullptr;
    const bool found =
        WaitUntil([&] { return (started = ::FindWindowW(lume::kMainWindowClassW, L"Scourwell")) != nullptr; }, 60000);
    if (!found) {
        wchar_t className[128] = L"<no window titled Scourwell>";
        if (HWND titled = ::FindWindowW(nullptr, L"Scourwell")) ::GetClassNameW(titled, className, 128);
        FAIL() << "no main window; a window titled Scourwell has the class " << std::string(className, className + wcslen(className));
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(started, &processId);
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    const std::wstring program = installFolder + L"\\Scourwell.exe";
    EXPECT_EQ(::lstrcmpiW(ProcessImagePath(process).c_str(), program.c_str()), 0) << "not the program beside it";
    EXPECT_EQ(ProcessCommandLine(process), L"\"" + program + L"\" -S:" + path);
    // The window takes its title before it makes its pages: wait until the list holds the path.
    bool hasList = false;
    std::vector<std::wstring> listed;
    WaitUntil([&] { return !(listed = RemoteShredList(started, &hasList)).empty(); }, 20000);
    EXPECT_TRUE(hasList) << "the shredder page's list was not found";
    EXPECT_EQ(listed, std::vector<std::wstring>{path});
    EXPECT_TRUE(::IsWindowVisible(started));
    EXPECT_TRUE(WaitUntil([&] { return ShowsOnlyTheShredPage(started); }, 5000))
        << "the started window opens on the shredder page";

    ::PostMessageW(started, WM_COMMAND, ID_TRAY_EXIT, 0);
    if (::WaitForSingleObject(process, 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the started program did not exit";
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
    }
    ::CloseHandle(process);
}
