// The sweep runs driven end to end through the engine on planted folders, with a view that
// records what the page would show.
#include <gtest/gtest.h>

#include <functional>
#include <mutex>

#include "engine/Environment.h"
#include "state/RunFlags.h"
#include "state/ItemSets.h"
#include "sweep/core/SweepRun.h"
#include "tests/common/TestSupport.h"

using namespace scw;
using namespace scw::test;

namespace {

struct RecordingView : SweepView, TrayActivity {
    std::mutex lock;
    std::vector<std::wstring> rows;  // "item|name|location|type"
    std::vector<std::wstring> tray;  // "start:title|text" and "stop:title|text"
    std::vector<UINT> scanned;
    int resets = 0;
    bool scanPhase = false;
    std::function<void(CMyObject&)> onScanned;
    std::function<void(const std::wstring&)> onTrayStart;

    void ShowScanPhase(bool on) override { scanPhase = on; }
    void ClearResults() override {
        std::lock_guard<std::mutex> g(lock);
        rows.clear();
    }
    void AddResultRow(const TraceRow& r) override {
        std::lock_guard<std::mutex> g(lock);
        rows.push_back(r.item.displayName + L"|" + r.name + L"|" + r.location + L"|" + (r.isRegistry ? L"1" : L"0"));
    }
    void MarkScanned(CMyObject& item) override {
        scanned.push_back(item.itemId);
        if (onScanned) onScanned(item);
    }
    void NodesReset() override { ++resets; }
    void StartTrayActivity(const std::wstring& t, const std::wstring& x) override {
        tray.push_back(L"start:" + t + L"|" + x);
        if (onTrayStart) onTrayStart(t);
    }
    void StopTrayActivity(const std::wstring& t, const std::wstring& x) override { tray.push_back(L"stop:" + t + L"|" + x); }
};

struct RecordingProgress : DeletionProgress {
    std::atomic<int> deleted{0}, failed{0};
    std::atomic<bool> finished{false};
    void AddDeleted(int n) override { deleted += n == 0 ? 1 : n; }
    void AddFailed() override { ++failed; }
    void FinishDeletion() override { finished = true; }
};

// Item 106 walks TEMP (every file listed); items 112 and 120 empty Windows\temp and
// Windows\Debug without listing anything.
class SweepRunTest : public testing::Test {
protected:
    void SetUp() override {
        SweepBusy = 0;
        SweepDeleting = 0;
        catalogue.Build();
        env.SetVariable(L"TEMP", temp);
        env.SetWindowsFolder(root / L"win");
        WriteFileText(temp + L"\\a.txt");
        WriteFileText(temp + L"\\sub\\b.txt");
        WriteFileText(root / L"win\\temp\\c.tmp");
        WriteFileText(root / L"win\\Debug\\d.log");
        WriteFileText(root / L"sentinel.txt");
        run = std::make_unique<SweepRun>(catalogue, view, CIniFileRW(CIniFileRW::ByPath{}, root / L"setting.ini"), env,
                                         &view);
    }
    void TearDown() override {
        run.reset();
        SweepBusy = 0;
    }

    std::vector<CMyObject*> Items(std::initializer_list<UINT> ids) {
        std::vector<CMyObject*> items;
        for (UINT id : ids) items.push_back(catalogue.Find(id));
        return items;
    }
    std::vector<int> Recent() { return ReadItemSet(CIniFileRW(CIniFileRW::ByPath{}, root / L"setting.ini"), ItemSet::Recent).ids; }

    TempFolder root{L"sweeprun"};
    std::wstring temp = root / L"temp";
    Catalogue catalogue;
    OverrideEnvironment env;
    RecordingView view;
    std::unique_ptr<SweepRun> run;
};

}  // namespace

TEST_F(SweepRunTest, ScanListsTracesThenDeleteAllRemovesOnlyItemsThatFoundSome) {
    ASSERT_TRUE(run->ScanOrStop(Items({106, 112})));
    run->Wait();
    EXPECT_EQ(SweepBusy, 0);
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0], L"Temporary file directory|a.txt|" + temp + L"\\|0");
    EXPECT_EQ(view.rows[1], L"Temporary file directory|b.txt|" + temp + L"\\sub\\|0");
    EXPECT_EQ(run->FoundRows(), 2);
    EXPECT_EQ(catalogue.Find(106)->traceCount, 2);
    EXPECT_EQ(catalogue.Find(103)->traceCount, 2);
    EXPECT_EQ(catalogue.Find(102)->traceCount, 2);
    EXPECT_EQ(catalogue.Find(112)->traceCount, 0);
    EXPECT_EQ(Recent(), (std::vector<int>{106, 112}));
    EXPECT_EQ(view.tray, (std::vector<std::wstring>{L"start:Scanning in process|Scan Items:",
                                                    L"stop:Scanning is completed|Total Scan Items:"}));

    RecordingProgress progress;
    ASSERT_TRUE(run->StartDeleteAll(progress));
    run->ResumeDeleteAll();
    run->Wait();
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(progress.deleted, 2);
    EXPECT_EQ(progress.failed, 0);
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_FALSE(FolderExists(temp + L"\\sub"));
    // Item 112 found nothing, so Delete all leaves its folder alone.
    EXPECT_TRUE(FileExists(root / L"win\\temp\\c.tmp"));
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
    EXPECT_EQ(catalogue.Find(106)->traceCount, 0);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(run->CanDeleteAll()) << "a second Delete all does nothing";
}

TEST_F(SweepRunTest, OneClickDeletesEveryItemOfItsSetAndRecordsItAsRecent) {
    ASSERT_TRUE(run->StartOneClick(Items({112, 106})));
    run->Wait();
    EXPECT_FALSE(FileExists(root / L"win\\temp\\c.tmp")) << "a listed-nothing folder is emptied";
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(root / L"win\\Debug\\d.log")) << "item 120 was not in the set";
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
    EXPECT_EQ(Recent(), (std::vector<int>{112, 106}));
    EXPECT_EQ(view.tray.back(), L"stop:Deleting is completed|Total Deleted Items:");
    EXPECT_EQ(view.tray[2], L"start:Deleting in process|Deleteing Items:");
    EXPECT_GE(run->Tally().deleted, 3);
    EXPECT_TRUE(run->Selection().empty());
}

TEST_F(SweepRunTest, AnEmptyScanCompletesWithNothingToDelete) {
    ASSERT_TRUE(run->ScanOrStop({}));
    run->Wait();
    EXPECT_EQ(view.tray.back(), L"stop:Scanning is completed|Total Scan Items:");
    EXPECT_EQ(run->FoundRows(), 0);
    EXPECT_FALSE(run->CanDeleteAll());
    RecordingProgress progress;
    EXPECT_FALSE(run->StartDeleteAll(progress));
}

TEST_F(SweepRunTest, StopEndsTheScanAfterTheCurrentItemAndDeleteAllTouchesOnlyScannedItems) {
    WriteFileText(root / L"win\\Debug\\listed.dmp");
    // Pressing Scan again while the first item is scanned asks for a stop.
    view.onScanned = [&](CMyObject& item) {
        if (item.itemId == 106) {
            EXPECT_FALSE(run->ScanOrStop({}));
        }
    };
    ASSERT_TRUE(run->ScanOrStop(Items({106, 120})));
    run->Wait();
    EXPECT_EQ(view.scanned, (std::vector<UINT>{106}));
    EXPECT_EQ(run->Selection().size(), 1u);

    RecordingProgress progress;
    ASSERT_TRUE(run->StartDeleteAll(progress));
    run->ResumeDeleteAll();
    run->Wait();
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(root / L"win\\Debug\\listed.dmp"));

    // A later run starts with no stop pending.
    view.onScanned = nullptr;
    ASSERT_TRUE(run->ScanOrStop(Items({106, 120})));
    run->Wait();
    EXPECT_EQ(view.scanned, (std::vector<UINT>{106, 106, 120}));
}

TEST_F(SweepRunTest, NoSecondRunStartsWhileOneIsBusy) {
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    view.onScanned = [&](CMyObject&) { ::WaitForSingleObject(release, 10000); };
    ASSERT_TRUE(run->ScanOrStop(Items({106})));
    EXPECT_EQ(SweepBusy, 1) << "busy from the moment of the start";
    EXPECT_FALSE(run->StartOneClick(Items({112})));
    EXPECT_FALSE(run->CanDeleteAll());
    ::SetEvent(release);
    run->Wait();
    ::CloseHandle(release);
    EXPECT_TRUE(FileExists(root / L"win\\temp\\c.tmp"));
}

TEST_F(SweepRunTest, StopDuringAOneClickScanStillDeletesTheItemsScannedBeforeIt) {
    view.onScanned = [&](CMyObject& item) {
        if (item.itemId == 106) {
            EXPECT_FALSE(run->ScanOrStop({}));
        }
    };
    ASSERT_TRUE(run->StartOneClick(Items({106, 120})));
    run->Wait();
    EXPECT_EQ(view.scanned, (std::vector<UINT>{106}));
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(root / L"win\\Debug\\d.log")) << "item 120 was cut off by the stop";
    EXPECT_TRUE(FileExists(root / L"sentinel.txt"));
    EXPECT_EQ(run->Tally().deleted, 2);
    EXPECT_EQ(view.tray.back(), L"stop:Deleting is completed|Total Deleted Items:");
}

TEST_F(SweepRunTest, StopDuringAOneClickDeletePhaseEndsItAndTheTraySaysSo) {
    view.onTrayStart = [&](const std::wstring& title) {
        if (title == L"Deleting in process") {
            EXPECT_FALSE(run->ScanOrStop({}));
        }
    };
    ASSERT_TRUE(run->StartOneClick(Items({106, 120})));
    run->Wait();
    EXPECT_TRUE(FileExists(temp + L"\\a.txt"));
    EXPECT_TRUE(FileExists(root / L"win\\Debug\\d.log"));
    EXPECT_EQ(run->Tally().deleted, 0);
    EXPECT_EQ(view.tray.back(), L"stop:Deleting is stopped|Total Deleted Items:");

    // The next run neither inherits the stop nor stops.
    view.onTrayStart = nullptr;
    ASSERT_TRUE(run->StartOneClick(Items({106})));
    run->Wait();
    EXPECT_FALSE(FileExists(temp + L"\\a.txt"));
    EXPECT_EQ(view.tray.back(), L"stop:Deleting is completed|Total Deleted Items:");
}
