// What the main window does with the settings page, the update check and the scheduler.
#include <optional>

#include "WindowFixture.h"
#include "app/DlgOptions.h"
#include "app/ProcessState.h"
#include "app/SiteAddresses.h"
#include "app/UpdateFeedback.h"
#include "framework/WorkerThread.h"
#include "junk/page/DlgJunk.h"
#include "res/options.h"
#include "res/resource.h"
#include "state/ItemSets.h"
#include "state/RunFlags.h"
#include "sweep/page/DlgScan.h"
#include "tests/common/LocalHttpServer.h"
#include "tests/common/TestSupport.h"
#include "update/core/UpdateSource.h"

namespace scw::test {

namespace {
std::string Ini(const std::string& version) { return "[Program]\r\nVersion=" + version + "\r\n"; }

struct Message {
    std::wstring text;
    UINT type;
};

// The update messages answered by the test, the download location pointed at a local server,
// and the copy of update.ini beside the test program put back afterwards.
class UpdateWiring : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (FileExists(localCopy_)) savedCopy_ = ReadFileText(localCopy_);
        SetUpdateMessageBox([this](HWND, const std::wstring& text, UINT type) {
            messages_.push_back({text, type});
            return answer_;
        });
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        SetUpdateMessageBox(nullptr);
        ::SetEnvironmentVariableW(kUpdateBaseVariable, nullptr);
        ::DeleteFileW(localCopy_.c_str());
        if (savedCopy_) WriteFileText(localCopy_, *savedCopy_);
    }
    void UseServer(const std::wstring& base) { ::SetEnvironmentVariableW(kUpdateBaseVariable, base.c_str()); }

    std::vector<Message> messages_;
    int answer_ = IDOK;
    std::wstring localCopy_ = TestBinFolder() + L"update.ini";
    std::optional<std::string> savedCopy_;
};
}  // namespace

TEST_F(MainWindowTest, TabChangeWithUnsavedSettingsAsksBeforeTheNewPage) {
    WriteCloseSettings(0, 1);
    SettingsFile().WriteInt(kSectionScheduler, kKeyEvery, 1);
    CLumeDlg& w = Open();
    std::vector<std::wstring> asked;
    w.OptionsPage().askUser = [&](HWND, const wchar_t* text, const wchar_t*) {
        asked.push_back(text);
        // The page is still the settings page while the question is open.
        EXPECT_FALSE(Visible(w.JunkPage()));
        return IDCANCEL;
    };
    ::SendMessageW(Window(), kTabChangedMessage, 0, kPageOptions);
    ASSERT_TRUE(Visible(w.OptionsPage()));
    HWND half = ::GetDlgItem(w.OptionsPage().GetSafeHwnd(), IDC_OPT_HALF);
    ::SendMessageW(half, CB_SETCURSEL, 1, 0);  // AM to PM, nothing else

    ::SendMessageW(Window(), kTabChangedMessage, 0, kPageJunk);
    EXPECT_EQ(asked, std::vector<std::wstring>{kSaveQuestion});
    EXPECT_TRUE(Visible(w.JunkPage()));
    EXPECT_EQ(::SendMessageW(half, CB_GETCURSEL, 0, 0), 0) << "Cancel put AM back";
    EXPECT_EQ(SettingsFile().ReadInt(kSectionScheduler, kKeyWhen), 0);
}

TEST_F(UpdateWiring, UpdateButtonAsksOrSaysWhyNot) {
    Open();
    {
        LocalHttpServer server(LocalHttpServer::Answer(200, Ini("2.0")));
        UseServer(server.BaseUrl());
        Command(IDC_MAIN_UPDATE);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].text, kUpdateQuestion);
        EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(openedPages_, std::vector<std::wstring>{kHomePageUrl});

        answer_ = IDCANCEL;
        Command(IDC_MAIN_UPDATE);
        EXPECT_EQ(messages_.size(), 2u) << "Cancel: the question and nothing else";
        EXPECT_EQ(openedPages_.size(), 1u);
    }
    messages_.clear();
    {
        LocalHttpServer server(LocalHttpServer::Answer(200, Ini("1.0")));
        UseServer(server.BaseUrl());
        Command(IDC_MAIN_UPDATE);
    }
    {
        LocalHttpServer server(LocalHttpServer::Answer(404, "<html>Not here</html>"));
        UseServer(server.BaseUrl());
        Command(IDC_MAIN_UPDATE);
    }
    UseServer(LocalHttpServer::ClosedBaseUrl());
    Command(IDC_MAIN_UPDATE);
    ASSERT_EQ(messages_.size(), 3u);
    EXPECT_EQ(messages_[0].text, L"There are no updates available at this time.\n Your Scourwell is up-to-date.");
    EXPECT_EQ(messages_[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    for (int i : {1, 2}) {
        EXPECT_EQ(messages_[i].text, L"Internet connection failed. ");
        EXPECT_EQ(messages_[i].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    }
    EXPECT_EQ(openedPages_.size(), 1u);
}

TEST_F(UpdateWiring, StartupCheckLeavesTheWindowFreeAndOnlyAsksForANewerVersion) {
    WriteCloseSettings(0, 1);
    SettingsFile().WriteInt(kSectionGeneral, kKeyAutoUpdate, 1);
    {
        // The answer takes a while: the window is up long before it.
        LocalHttpServer server(LocalHttpServer::Answer(200, Ini("2.0")), 4000);
        UseServer(server.BaseUrl());
        const ULONGLONG start = ::GetTickCount64();
        Open();
        EXPECT_LT(::GetTickCount64() - start, 3500u);
        EXPECT_TRUE(messages_.empty());
        ASSERT_TRUE(WaitUntil([&] { return !messages_.empty(); }, 8000));
        EXPECT_EQ(messages_[0].text, kUpdateQuestion);
        EXPECT_TRUE(WaitUntil([&] { return !openedPages_.empty(); }, 2000));
        EXPECT_EQ(openedPages_, std::vector<std::wstring>{kHomePageUrl});
        Close();
    }
    messages_.clear();
    for (const std::string& answer : {LocalHttpServer::Answer(200, Ini("1.0")), LocalHttpServer::Answer(500, "")}) {
        LocalHttpServer server(answer);
        UseServer(server.BaseUrl());
        Open();
        ASSERT_TRUE(WaitUntil([&] { return server.Requests() > 0; }, 5000));
        PumpMessages(300);
        Close();
        EXPECT_TRUE(messages_.empty()) << "silent unless an update is offered";
    }
    EXPECT_EQ(openedPages_.size(), 1u);
}

TEST_F(UpdateWiring, StartupAsksNothingOfTheServerWhenAutomaticUpdateIsOff) {
    WriteCloseSettings(0, 1);
    SettingsFile().WriteInt(kSectionGeneral, kKeyAutoUpdate, 0);
    LocalHttpServer server(LocalHttpServer::Answer(200, Ini("2.0")));
    UseServer(server.BaseUrl());
    Open();
    PumpMessages(1500);
    Close();
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_TRUE(messages_.empty());

    // The same server is asked as soon as the setting is on.
    SettingsFile().WriteInt(kSectionGeneral, kKeyAutoUpdate, 1);
    answer_ = IDCANCEL;
    Open();
    EXPECT_TRUE(WaitUntil([&] { return server.Requests() > 0; }, 5000));
    Close();
}

TEST_F(UpdateWiring, ClosingDuringAStartupCheckDoesNotWaitForTheServer) {
    WriteCloseSettings(0, 1);
    SettingsFile().WriteInt(kSectionGeneral, kKeyAutoUpdate, 1);
    // A server that takes the request and never answers: the exchange waits its full time-out.
    LocalHttpServer silent = LocalHttpServer::Silent();
    UseServer(silent.BaseUrl());
    Open();
    ASSERT_TRUE(WaitUntil([&] { return silent.Requests() > 0; }, 5000));
    // Closing a window costs about two seconds on this virtual display; the exchange would wait 15.
    const ULONGLONG start = ::GetTickCount64();
    Close();
    EXPECT_LT(::GetTickCount64() - start, 6000u);
    PumpMessages(200);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(UpdateWiring, ClosingMidDownloadLeavesNoWorkerAndNoPartOfTheAnswer) {
    WriteCloseSettings(0, 1);
    SettingsFile().WriteInt(kSectionGeneral, kKeyAutoUpdate, 1);
    WriteFileText(localCopy_, Ini("1.0"));
    // The headers and part of a newer version's answer, then silence: the download waits in a read.
    const std::string answer = LocalHttpServer::Answer(200, Ini("2.0") + "; " + std::string(100, '-') + "\r\n");
    LocalHttpServer stalled = LocalHttpServer::Trickling(answer, answer.find("\r\n\r\n") + 4 + 20, 60000);
    UseServer(stalled.BaseUrl());
    Open();
    ASSERT_TRUE(WaitUntil([&] { return stalled.Requests() > 0; }, 5000));
    PumpMessages(500);
    const ULONGLONG start = ::GetTickCount64();
    Close();
    EXPECT_LT(::GetTickCount64() - start, 6000u) << "closing a window costs about two seconds here";
    // The program's last stop before exit finds no worker of the check still waiting on the server.
    const ULONGLONG joined = ::GetTickCount64();
    WorkerThread::StopAndJoinAll();
    EXPECT_LT(::GetTickCount64() - joined, 500u);
    EXPECT_EQ(ReadFileText(localCopy_), Ini("1.0"));
    PumpMessages(200);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowTest, SchedulerTimerShowsTheAutoScanBalloonAndErasesOnce) {
    WriteCloseSettings(0, 1);
    CIniFileRW file = SettingsFile();
    file.WriteInt(kSectionScheduler, kKeyEvery, 1);
    file.WriteInt(kSectionScheduler, kKeyDay, 0);
    file.WriteInt(kSectionScheduler, kKeyHour, 0);
    file.WriteInt(kSectionScheduler, kKeyMinute, 5);
    file.WriteInt(kSectionScheduler, kKeyWhen, 1);
    // An id that names no item: the run starts and ends but deletes nothing of this machine.
    WriteItemSet(file, ItemSet::OneClick, {999});
    CLumeDlg& w = Open();
    SYSTEMTIME now{2026, 12, 2, 8, 12, 5, 20, 0};
    w.Scheduler().SetClock([&] { return now; });

    auto balloons = [&] {
        int count = 0;
        for (const TrayCall& call : trayCalls_) {
            if (call.action != NIM_MODIFY || call.record.uFlags != NIF_INFO) continue;
            EXPECT_STREQ(call.record.szInfoTitle, L"Auto Scan");
            EXPECT_STREQ(call.record.szInfo, L"\u6B63\u5728\u6267\u884C\u81EA\u52A8\u626B\u63CF\u7A0B\u5E8F");
            EXPECT_EQ(call.record.uTimeout, 2000u);
            EXPECT_EQ(call.record.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
            ++count;
        }
        return count;
    };
    // A run records its selection as the recent set (never written before: -1).
    auto runEnded = [&] {
        return ReadItemSet(file, ItemSet::Recent).count == 0 && !w.ScanPage().Run()->Busy();
    };
    EXPECT_EQ(ReadItemSet(file, ItemSet::Recent).count, -1);
    ::SendMessageW(Window(), WM_TIMER, kSchedulerTimer, 0);
    EXPECT_EQ(balloons(), 1);
    ASSERT_TRUE(WaitUntil(runEnded, 10000)) << "the one-click erase ran";
    ::SendMessageW(Window(), WM_TIMER, kSchedulerTimer, 0);
    EXPECT_EQ(balloons(), 1) << "the same minute does not fire twice";

    // The next days' occurrences fall during a scan and during a delete phase: nothing at all.
    for (std::atomic<int>* flag : {&SweepBusy, &SweepDeleting}) {
        trayCalls_.clear();
        now.wDay += 1;
        *flag = 1;
        WriteItemSet(file, ItemSet::Recent, {104});
        ::SendMessageW(Window(), WM_TIMER, kSchedulerTimer, 0);
        PumpMessages(100);
        *flag = 0;
        EXPECT_EQ(balloons(), 0);
        EXPECT_FALSE(w.ScanPage().Run()->Busy());
        EXPECT_EQ(ReadItemSet(file, ItemSet::Recent).count, 1) << "no run recorded a selection";
    }
}

}  // namespace scw::test
