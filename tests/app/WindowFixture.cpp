#include "WindowFixture.h"

#include "app/WebPages.h"
#include "state/RunFlags.h"
#include "tests/common/TestSupport.h"

namespace scw::test {

void MainWindowTest::SetUp() {
    std::wstring path = SettingsFile().Path();
    if (FileExists(path)) savedSettings_ = ReadFileText(path);
    ::DeleteFileW(path.c_str());
    state_ = ProcessState{};
    if (!catalogue_.Head()) catalogue_.Build();
    SweepBusy = 0;
    SweepDeleting = 0;
    JunkSearchBusy = 0;
    SetWebPageOpener([this](const std::wstring& url, int) { openedPages_.push_back(url); });
    CTrayIcon::SetNotifier([this](DWORD action, const NOTIFYICONDATAW& record) {
        trayCalls_.push_back({action, record});
        return TRUE;
    });
}

void MainWindowTest::TearDown() {
    Close();
    SetWebPageOpener(nullptr);
    CTrayIcon::SetNotifier(nullptr);
    SweepBusy = 0;
    SweepDeleting = 0;
    JunkSearchBusy = 0;
    std::wstring path = SettingsFile().Path();
    ::DeleteFileW(path.c_str());
    if (savedSettings_) WriteFileText(path, *savedSettings_);
}

void MainWindowTest::WriteCloseSettings(int exitOnClose, int trayOnClose) {
    CIniFileRW file = SettingsFile();
    EnsureDefaultSettings(file);
    file.WriteInt(kSectionExit, kKeyExit, exitOnClose);
    file.WriteInt(kSectionExit, kKeyTray, trayOnClose);
}

CLumeDlg& MainWindowTest::Open() {
    EnsureDefaultSettings(SettingsFile());
    state_.settings = ReadSettings(SettingsFile());
    window_ = std::make_unique<CLumeDlg>(catalogue_, state_, SettingsFile());
    EXPECT_TRUE(window_->Create(nullptr));
    ::UpdateWindow(Window());
    PumpMessages(100);
    return *window_;
}

void MainWindowTest::Close() {
    window_.reset();
    QuitPosted();
}

void MainWindowTest::Command(UINT id) { ::SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void MainWindowTest::TrayClick(UINT mouseMessage) {
    ::SendMessageW(Window(), kTrayCallbackMessage, kTrayIconId, mouseMessage);
}

bool MainWindowTest::QuitPosted() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

void MainWindowTest::SendHandOff(const void* data, DWORD bytes, ULONG_PTR identifier) {
    COPYDATASTRUCT block{};
    block.dwData = identifier;
    block.cbData = bytes;
    block.lpData = const_cast<void*>(data);
    ::SendMessageW(Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
}

}  // namespace scw::test
