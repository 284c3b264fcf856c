// The silent setup, the file manager's use of the installed extension from another process, the
// hand-off to a running or a started Scourwell, and the silent uninstall.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "ShellExtSupport.h"
#include "res/resource.h"
#include "shellext/ClassIds.h"
#include "shellext/HandOffContract.h"
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
        mirror.reset();
        if (!uninstalled) RunUninstaller(installFolder);
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
        // This thread's windows (the look-alikes) go on answering messages while the chooser runs.
        ASSERT_TRUE(WaitUntil([&] { return chooser.Wait(0, &code); }, 60000));
        EXPECT_EQ(code, 0u) << "the chooser process reported a failure";
    }

    TempFolder base{L"installed"};
    const std::wstring installFolder = base / L"Scour Well";
    const std::wstring files = base / L"files\\";
    std::unique_ptr<MachineClassMirror> mirror;
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

TEST_F(InstalledShellExt, UninstallTakesOnlyWhatTheSetupWroteAndNoSettingFilesWithoutOurProgramBesideThem) {
    const std::wstring folder = installFolder + L"\\";
    // Our program gone (by hand, or never there): setting.ini and update.ini then belong to
    // whoever else uses this folder, as notes.txt does.
    ASSERT_TRUE(::DeleteFileW((folder + L"Scourwell.exe").c_str()));
    WriteFileText(folder + L"setting.ini", "another program's settings");
    WriteFileText(folder + L"update.ini", "another program's update");
    WriteFileText(folder + L"notes.txt", "another program's notes");

    mirror.reset();
    ASSERT_TRUE(RunUninstaller(installFolder, true));
    uninstalled = true;
    for (const wchar_t* name : {L"scourwell-cli.exe", L"lumeShl.dll", L"uninstall.exe"})
        EXPECT_FALSE(FileExists(folder + name)) << "the setup wrote it";
    EXPECT_EQ(ReadFileText(folder + L"setting.ini"), "another program's settings");
    EXPECT_EQ(ReadFileText(folder + L"update.ini"), "another program's update");
    EXPECT_EQ(ReadFileText(folder + L"notes.txt"), "another program's notes");
    EXPECT_TRUE(FolderExists(installFolder)) << "a folder that still holds anything stays";
}

TEST_F(InstalledShellExt, TheRunningProgramTakesTheFirstFileFromAnotherProcessWholeAndALookAlikeGetsNothing) {
    WriteFileText(files + L"first.txt");
    WriteFileText(files + L"second.txt");
    WriteFileText(files + kWideName);
    // The installed program, started hidden in the tray.
    ChildProcess program(L"\"" + installFolder + L"\\Scourwell.exe\" -A", installFolder);
    ASSERT_TRUE(program.Started());
    HWND running = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (running = MainWindowOfProcess(program.Id())) != nullptr; }, 60000));
    bool hasList = false;
    ASSERT_TRUE(WaitUntil([&] { return RemoteShredList(running, &hasList), hasList; }, 20000)) << "its pages are made";
    ASSERT_FALSE(::IsWindowVisible(running)) << "hidden in the tray";
    // Other programs' windows: one titled like ours, and one with our class and title as well.
    CopyDataRecorder decoy{L"ScourwellDecoy"};
    CopyDataRecorder lookalike{lume::kMainWindowClassW};
    ASSERT_EQ(::FindWindowW(lume::kMainWindowClassW, L"Scourwell"), lookalike.Hwnd()) << "the look-alike comes first";

    ChooseInAnotherProcess({L"first.txt", L"second.txt"});
    std::vector<std::wstring> listed;
    WaitUntil([&] { return !(listed = RemoteShredList(running, &hasList)).empty(); }, 5000);
    EXPECT_EQ(listed, std::vector<std::wstring>{files + L"first.txt"}) << "only the first file";
    EXPECT_TRUE(::IsWindowVisible(running));
    EXPECT_TRUE(WaitUntil([&] { return ShowsOnlyTheShredPage(running); }, 5000));
    EXPECT_TRUE(decoy.Messages().empty()) << "another program's window titled Scourwell gets nothing";
    EXPECT_TRUE(lookalike.Messages().empty()) << "nor one of our class: it does not run our program";

    ChooseInAnotherProcess({kWideName});
    WaitUntil([&] { return (listed = RemoteShredList(running, &hasList)).size() == 2; }, 5000);
    EXPECT_EQ(listed, (std::vector<std::wstring>{files + L"first.txt", files + kWideName}));

    ::PostMessageW(running, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_TRUE(program.Wait(20000)) << "the program did not exit";
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

// Into one of these the setup would put the program among everything else, and the uninstaller
// would once take the folder itself when the program's files had been all it held.
TEST(SetupTarget, RefusesADriveRootAndTheSystemsAndTheUsersTopFoldersAndWritesNothingThere) {
    const int topFolders[] = {CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_PROFILE, CSIDL_PROGRAM_FILES, CSIDL_WINDOWS};
    const bool registeredBefore = RegKeyExists(HKEY_CURRENT_USER, kUninstallKey);
    std::vector<std::wstring> targets{L"C:\\"};
    for (int csidl : topFolders) {
        wchar_t path[MAX_PATH] = {};
        ASSERT_EQ(::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
        targets.push_back(path);
    }
    targets.push_back(targets[1] + L"\\");  // Documents, spelt with its backslash
    for (const std::wstring& target : targets) {
        SCOPED_TRACE(std::string(target.begin(), target.end()));
        std::wstring folder = target;
        if (folder.back() != L'\\') folder += L'\\';
        const bool hadProgram = FileExists(folder + L"Scourwell.exe");
        DWORD code = 0;
        EXPECT_FALSE(RunSetup(target, &code));
        EXPECT_EQ(code, 2u);
        if (!hadProgram) {
            EXPECT_FALSE(FileExists(folder + L"Scourwell.exe"));
        }
        EXPECT_FALSE(FileExists(folder + L"uninstall.exe"));
        EXPECT_NE(RegText(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"), target) << "nothing registered";
        if (FileExists(folder + L"uninstall.exe")) RunUninstaller(target, true);  // undo a wrong install
    }
    // A request rerouted to the default folder is undone too.
    if (!registeredBefore && RegKeyExists(HKEY_CURRENT_USER, kUninstallKey))
        RunUninstaller(RegText(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation"));
}

