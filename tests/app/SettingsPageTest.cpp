// The settings page on its own, over a settings file of the test: what it shows, what Save
// writes (the Run value included), and the save question with its Cancel.
#include <gtest/gtest.h>

#include <optional>

#include "app/CommandLine.h"
#include "app/DlgOptions.h"
#include "app/RunAtLogon.h"
#include "engine/Catalogue.h"
#include "engine/OverwriteDelete.h"
#include "res/options.h"
#include "state/Settings.h"
#include "tests/common/TestSupport.h"

using namespace scw;
using namespace scw::test;

namespace {
std::optional<std::wstring> ReadRunValue() {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

class SettingsPage : public ::testing::Test {
protected:
    void SetUp() override {
        savedRunValue_ = ReadRunValue();
        EnsureDefaultSettings(file_);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ScourwellSettingsHost";
        ::RegisterClassExW(&wc);  // fails harmlessly when already registered
        host_ = ::CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 0, 0, 700, 560, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override {
        page_.reset();
        ::DestroyWindow(host_);
        SetRunAtLogon(false);
        if (savedRunValue_) SetRegString(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName, *savedRunValue_);
    }

    // The values in use are read from the file first, as the application does at start-up.
    CDlgOptions& Open() {
        inUse_ = ReadSettings(file_);
        if (!catalogue_.Head()) catalogue_.Build();
        page_ = std::make_unique<CDlgOptions>(inUse_, catalogue_, file_);
        page_->askUser = [this](HWND, const wchar_t* text, const wchar_t* caption) {
            questions_.push_back(std::wstring(caption) + L": " + text);
            return answer_;
        };
        EXPECT_TRUE(page_->Create(host_));
        ::ShowWindow(page_->GetSafeHwnd(), SW_SHOW);
        PumpMessages();
        return *page_;
    }
    HWND Item(int id) const { return ::GetDlgItem(page_->GetSafeHwnd(), id); }
    // What a person's click on a skinned box sends.
    void Click(int id) {
        HWND box = Item(id);
        ::SendMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        ::SendMessageW(box, WM_MOUSEHOVER, 0, MAKELPARAM(4, 4));
        ::SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        ::SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    void Save() {
        ::SendMessageW(page_->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_OPT_SAVE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(IDC_OPT_SAVE)));
    }
    int Selected(int id) const { return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
    std::wstring Text(int id) const {
        wchar_t text[256] = {};
        ::GetWindowTextW(Item(id), text, 256);
        return text;
    }
    std::vector<std::wstring> List(int id) const {
        std::vector<std::wstring> entries;
        const int count = static_cast<int>(::SendMessageW(Item(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t entry[64] = {};
            if (::SendMessageW(Item(id), CB_GETLBTEXTLEN, i, 0) < 64)
                ::SendMessageW(Item(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
            entries.push_back(entry);
        }
        return entries;
    }
    void Select(int id, int index) { ::SendMessageW(Item(id), CB_SETCURSEL, index, 0); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    int FileValue(const wchar_t* section, const wchar_t* key) const { return file_.ReadInt(section, key); }

    TempFolder folder_{L"options"};
    CIniFileRW file_{CIniFileRW::ByPath{}, folder_ / L"setting.ini"};
    HWND host_ = nullptr;
    SettingsValues inUse_;
    Catalogue catalogue_;
    std::unique_ptr<CDlgOptions> page_;
    std::vector<std::wstring> questions_;
    int answer_ = IDOK;
    std::optional<std::wstring> savedRunValue_;
};
}  // namespace

TEST_F(SettingsPage, ShowsTheFileAndReadsMissingKeysAsOne) {
    CDlgOptions& page = Open();
    EXPECT_FALSE(page.IsTicked(IDC_OPT_RUN_AT_STARTUP));
    EXPECT_FALSE(page.IsTicked(IDC_OPT_AUTO_UPDATE));
    EXPECT_FALSE(page.IsTicked(IDC_OPT_SCAN_EVERY));
    EXPECT_FALSE(page.IsTicked(IDC_OPT_EXIT));
    EXPECT_TRUE(page.IsTicked(IDC_OPT_TRAY));
    EXPECT_EQ(Selected(IDC_OPT_DAY), 0);
    EXPECT_EQ(Selected(IDC_OPT_HOUR), 9);
    EXPECT_EQ(Selected(IDC_OPT_MINUTE), 38);
    EXPECT_EQ(Selected(IDC_OPT_HALF), 0);
    for (int id : {IDC_OPT_DAY, IDC_OPT_HOUR, IDC_OPT_MINUTE, IDC_OPT_HALF}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(inUse_.trayOnClose, 1);

    // No scheduler section: on, Sunday, 1 : 01 PM; a value outside its list selects nothing.
    ::WritePrivateProfileStringW(kSectionScheduler, nullptr, nullptr, file_.Path().c_str());
    file_.WriteInt(kSectionGeneral, kKeyAutoUpdate, 12);
    file_.WriteInt(kSectionGeneral, kKeyRunAtStartup, 1);
    Open();
    EXPECT_TRUE(page_->IsTicked(IDC_OPT_SCAN_EVERY));
    EXPECT_EQ(Selected(IDC_OPT_DAY), 1);
    EXPECT_EQ(Selected(IDC_OPT_HOUR), 1);
    EXPECT_EQ(Selected(IDC_OPT_MINUTE), 1);
    EXPECT_EQ(Selected(IDC_OPT_HALF), 1);
    for (int id : {IDC_OPT_DAY, IDC_OPT_HOUR, IDC_OPT_MINUTE, IDC_OPT_HALF}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(page_->IsTicked(IDC_OPT_AUTO_UPDATE));
    file_.WriteInt(kSectionScheduler, kKeyHour, 12);
    Open();
    EXPECT_EQ(Selected(IDC_OPT_HOUR), -1);
}

TEST_F(SettingsPage, ShowsItsTextsAndTheFourListsWordForWord) {
    CDlgOptions& page = Open();
    const std::pair<int, std::wstring> texts[] = {
        {IDC_OPT_RUN_AT_STARTUP, L"Run at windows startup"},
        {IDC_OPT_AUTO_UPDATE, L"Check for Scourwell update automatically"},
        {IDC_OPT_OVERWRITE, L"Overwrite files before deleting them"},
        {IDC_OPT_CHECK_UPDATE, L"Check Update"},
        {IDC_OPT_EXIT, L"Exit"},
        {IDC_OPT_TRAY, L"Minimize to Tray"},
        {IDC_OPT_SCAN_EVERY, L"Scan every"},
        {IDC_OPT_AT, L"at"},
        {IDC_OPT_COLON, L":"},
        {IDC_OPT_CHOOSE_ONECLICK, L"Set items for one-click erase "},
        {IDC_OPT_SAVE, L""},
    };
    for (const auto& [id, text] : texts) EXPECT_EQ(Text(id), text) << id;
    EXPECT_EQ(page.GroupCaption(IDC_OPT_GENERAL_GROUP), L"General Settings");
    EXPECT_EQ(page.GroupCaption(IDC_OPT_EXIT_GROUP), L"Exit Settings");
    EXPECT_EQ(page.GroupCaption(IDC_OPT_SCHEDULER_GROUP), L"Scan Scheduler");

    EXPECT_EQ(List(IDC_OPT_DAY), (std::vector<std::wstring>{L"Day", L"Sunday", L"Monday", L"Tuesday", L"Wednesday",
                                                            L"Thursday", L"Friday", L"Saturday"}));
    std::vector<std::wstring> hours, minutes;
    for (int i = 0; i <= 11; ++i) hours.push_back(std::to_wstring(i));
    for (int i = 0; i <= 59; ++i) minutes.push_back(std::to_wstring(i));
    // In number order: a sorted list would put "10" before "2" and shift every saved index.
    EXPECT_EQ(List(IDC_OPT_HOUR), hours);
    EXPECT_EQ(List(IDC_OPT_MINUTE), minutes);
    EXPECT_EQ(List(IDC_OPT_HALF), (std::vector<std::wstring>{L"AM", L"PM"}));

    // The day box takes typing; the others only choose.
    auto kind = [&](int id) {
        return ::GetWindowLongW(Item(id), GWL_STYLE) & (CBS_DROPDOWN | CBS_DROPDOWNLIST | CBS_SORT);
    };
    EXPECT_EQ(kind(IDC_OPT_DAY), CBS_DROPDOWN);
    EXPECT_EQ(kind(IDC_OPT_HOUR), CBS_DROPDOWNLIST);
    EXPECT_EQ(kind(IDC_OPT_MINUTE), CBS_DROPDOWNLIST);
    EXPECT_EQ(kind(IDC_OPT_HALF), CBS_DROPDOWNLIST | CBS_SORT);
}

TEST_F(SettingsPage, RunValueIsTheQuotedProgramWithDashAAndGoesAway) {
    Open();
    Click(IDC_OPT_RUN_AT_STARTUP);
    ASSERT_TRUE(page_->IsTicked(IDC_OPT_RUN_AT_STARTUP));
    Save();
    const std::wstring program = TestBinFolder() + L"test_app.exe";
    const std::optional<std::wstring> value = ReadRunValue();
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, L"\"" + program + L"\" -A");
    EXPECT_EQ(FileValue(kSectionGeneral, kKeyRunAtStartup), 1);
    EXPECT_EQ(inUse_.runAtStartup, 1);

    // Saving the same state again rewrites the same value.
    Save();
    EXPECT_EQ(ReadRunValue(), value);

    Click(IDC_OPT_RUN_AT_STARTUP);
    Save();
    EXPECT_FALSE(ReadRunValue().has_value());
    EXPECT_EQ(FileValue(kSectionGeneral, kKeyRunAtStartup), 0);
}

TEST_F(SettingsPage, OverwriteBeforeDeleteIsOffWithoutItsKeyAndSaveSetsItForEveryDeletion) {
    // A file written before the setting existed has no key: it stays off, unlike the older keys.
    Open();
    EXPECT_FALSE(page_->IsTicked(IDC_OPT_OVERWRITE));
    EXPECT_FALSE(OverwriteBeforeDelete());
    Click(IDC_OPT_OVERWRITE);
    Save();
    EXPECT_EQ(FileValue(kSectionGeneral, kKeyOverwriteBeforeDelete), 1);
    EXPECT_TRUE(OverwriteBeforeDelete());
    EXPECT_TRUE(UserDeleteOptions().overwrite);
    Open();
    EXPECT_TRUE(page_->IsTicked(IDC_OPT_OVERWRITE));
    Click(IDC_OPT_OVERWRITE);
    Save();
    EXPECT_EQ(FileValue(kSectionGeneral, kKeyOverwriteBeforeDelete), 0);
    EXPECT_FALSE(OverwriteBeforeDelete());
}

TEST_F(SettingsPage, ProgramPathTooLongForTheRunValueWritesNone) {
    const std::wstring longest = L"C:\\" + std::wstring(MAX_PATH - 1 - 7, L'a') + L".exe";
    ASSERT_EQ(longest.size(), size_t{MAX_PATH - 1});
    EXPECT_TRUE(WriteRunAtLogon(longest));
    const std::wstring written = L"\"" + longest + L"\" -A";
    EXPECT_EQ(ReadRunValue(), written);

    // One character more may be a cut path: nothing is written and the value there stays.
    EXPECT_FALSE(WriteRunAtLogon(L"C:\\" + std::wstring(MAX_PATH - 7, L'a') + L".exe"));
    EXPECT_FALSE(WriteRunAtLogon(L""));
    EXPECT_EQ(ReadRunValue(), written);
}

TEST(RunAtLogon, StartUpReadsDashAAfterAQuotedPathWithBlanks) {
    const std::wstring command = RunAtLogonCommand(LR"(C:\Program Files\Scourwell\Scourwell.exe)");
    EXPECT_EQ(command, LR"("C:\Program Files\Scourwell\Scourwell.exe" -A)");
    StartupOptions options = ParseCommandLine(command);
    EXPECT_TRUE(options.autoStart);
    EXPECT_TRUE(options.shredPath.empty());
}

TEST_F(SettingsPage, OnlyAmToPmIsAChangeThatAsksAndOkSavesIt) {
    file_.WriteInt(kSectionScheduler, kKeyEvery, 1);
    Open();
    page_->Hide();
    EXPECT_TRUE(questions_.empty()) << "nothing changed";

    Select(IDC_OPT_HALF, 1);
    page_->Hide();
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0], L"Scourwell: Some items have benn changed,do you want to save the changes?");
    EXPECT_EQ(FileValue(kSectionScheduler, kKeyWhen), 1);
    EXPECT_EQ(inUse_.schedulerHalf, 1);
    EXPECT_FALSE(::IsWindowVisible(page_->GetSafeHwnd()));
    page_->Hide();
    EXPECT_EQ(questions_.size(), 1u) << "saved: no second question";
}

TEST_F(SettingsPage, CancelRestoresEveryControlAndWritesNothing) {
    Open();
    const std::string before = ReadFileText(file_.Path());
    Click(IDC_OPT_RUN_AT_STARTUP);
    Click(IDC_OPT_AUTO_UPDATE);
    Click(IDC_OPT_EXIT);
    Click(IDC_OPT_SCAN_EVERY);
    ASSERT_TRUE(Enabled(IDC_OPT_DAY)) << "ticking Scan every enables the four boxes";
    Select(IDC_OPT_DAY, 3);
    Select(IDC_OPT_HOUR, 11);
    Select(IDC_OPT_MINUTE, 0);
    Select(IDC_OPT_HALF, 1);

    answer_ = IDCANCEL;
    page_->Hide();
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_FALSE(page_->IsTicked(IDC_OPT_RUN_AT_STARTUP));
    EXPECT_FALSE(page_->IsTicked(IDC_OPT_AUTO_UPDATE));
    EXPECT_FALSE(page_->IsTicked(IDC_OPT_EXIT));
    EXPECT_TRUE(page_->IsTicked(IDC_OPT_TRAY));
    EXPECT_FALSE(page_->IsTicked(IDC_OPT_SCAN_EVERY));
    EXPECT_EQ(Selected(IDC_OPT_DAY), 0);
    EXPECT_EQ(Selected(IDC_OPT_HOUR), 9);
    EXPECT_EQ(Selected(IDC_OPT_MINUTE), 38);
    EXPECT_EQ(Selected(IDC_OPT_HALF), 0);
    for (int id : {IDC_OPT_DAY, IDC_OPT_HOUR, IDC_OPT_MINUTE, IDC_OPT_HALF}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(ReadFileText(file_.Path()), before);
    EXPECT_FALSE(ReadRunValue().has_value());
}

TEST_F(SettingsPage, SchedulerChangeWhileOffIsNoChangeButALaterSaveWritesIt) {
    Open();
    // The boxes are disabled, but a program (or an accessibility tool) can still change them.
    Select(IDC_OPT_DAY, 2);
    Select(IDC_OPT_MINUTE, 7);
    page_->Hide();
    EXPECT_TRUE(questions_.empty());
    EXPECT_EQ(FileValue(kSectionScheduler, kKeyDay), 0);

    Save();
    EXPECT_EQ(FileValue(kSectionScheduler, kKeyDay), 2);
    EXPECT_EQ(FileValue(kSectionScheduler, kKeyMinute), 7);
    EXPECT_EQ(FileValue(kSectionScheduler, kKeyEvery), 0);
    EXPECT_EQ(inUse_.schedulerDay, 2);
}

TEST_F(SettingsPage, FailedWriteKeepsTheValueInUse) {
    Open();
    // The file has gone somewhere that cannot be written.
    page_->SetSettingsFile(CIniFileRW(CIniFileRW::ByPath{}, folder_ / L"gone\\setting.ini"));
    Click(IDC_OPT_AUTO_UPDATE);
    Save();
    EXPECT_EQ(inUse_.autoUpdate, 0);
    EXPECT_EQ(inUse_.trayOnClose, 1);
}

TEST_F(SettingsPage, ButtonsOpenTheChooserAndTheUpdateCheck) {
    Open();
    std::vector<HWND> chooser, update;
    page_->checkUpdate = [&](HWND owner) { update.push_back(owner); };
    ::SendMessageW(page_->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_OPT_CHECK_UPDATE, BN_CLICKED), 0);
    EXPECT_EQ(update, std::vector<HWND>{host_});

    // The real chooser, closed from inside its own modal loop.
    static bool treeSeen = false;
    treeSeen = false;
    ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        HWND shown = ::GetActiveWindow();
        treeSeen = shown && ::GetDlgItem(shown, 10000) != nullptr;
        ::PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
    });
    ::SendMessageW(page_->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_OPT_CHOOSE_ONECLICK, BN_CLICKED), 0);
    EXPECT_TRUE(treeSeen) << "the chooser with its tree was shown";
}
