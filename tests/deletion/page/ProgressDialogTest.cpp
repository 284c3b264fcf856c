#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "controls/DigiStatic.h"
#include "deletion/page/DlgScanResult.h"
#include "framework/WorkerThread.h"
#include "tests/common/DpiHost.h"
#include "tests/common/TestSupport.h"
#include "tests/common/ScriptedModal.h"
#include "tests/common/Canvas.h"

namespace scw::test {
namespace {

// The real dialog, shown modally; the script runs inside its modal loop once it is open.
class ScriptedProgress : public ScriptedModal<CDlgScanResult, ScriptedProgress> {
public:
    bool Shown(int id) const { return ::IsWindowVisible(GetDlgItem(id)) != FALSE; }
    std::wstring DisplayText(int id) const {
        return id == kDeletedId ? DeletedDisplay().Text() : FailedDisplay().Text();
    }
    // Segments drawn filled (green) by the dialog's own painting.
    int FilledSegments() {
        Canvas canvas(kWidth, kHeight);
        PaintFace(canvas.Dc());
        int filled = 0;
        for (int i = 0; i < kSegments; ++i) {
            RECT segment{kBarRect.left + i * 24, kBarRect.top, kBarRect.left + (i + 1) * 24, kBarRect.bottom};
            if (canvas.Greenish(segment) > 24 * 11 / 2) ++filled;
        }
        return filled;
    }
    void Exit() { ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(kExitId, BN_CLICKED), 0); }
};

// Runs the worker's reports on a thread of their own while the dialog's loop runs.
void RunWorker(ScriptedProgress&, std::function<void()> reports) {
    bool done = false;
    std::thread worker([&] {
        reports();
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done; }, 20000));
    worker.join();
}

TEST(ProgressDialogTest, ATotalOfFiveFillsOneSegmentPerReportAfterTheFirst) {
    ScriptedProgress dialog;
    dialog.SetTotal(5);
    dialog.script = [](ScriptedProgress& d) {
        EXPECT_EQ(d.Unit(), 1);
        EXPECT_EQ(d.FilledSegments(), 0);
        EXPECT_EQ(d.DisplayText(CDlgScanResult::kDeletedId), L"0");
        std::vector<int> steps;
        std::vector<std::wstring> shown;
        RunWorker(d, [&] {
            for (int i = 0; i < 5; ++i) {
                d.AddDeleted(i == 2 ? 0 : 1);  // a report of 0 counts as one
                steps.push_back(d.Step());
                shown.push_back(d.DisplayText(CDlgScanResult::kDeletedId));
            }
        });
        EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 3, 10}));
        EXPECT_EQ(shown[1], L"2");
        EXPECT_EQ(shown[3], L"4");
        EXPECT_EQ(d.FilledSegments(), 10);
        EXPECT_FALSE(d.Shown(CDlgScanResult::kExitId)) << "no way out before the deletion ends";
        RunWorker(d, [&] { d.FinishDeletion(); });
        EXPECT_EQ(d.DisplayText(CDlgScanResult::kDeletedId), L"5");
        EXPECT_TRUE(d.Shown(CDlgScanResult::kExitId));
        EXPECT_FALSE(d.Shown(CDlgScanResult::kAlertId));
        d.Exit();
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
}

TEST(ProgressDialogTest, AFailedDeleteShowsTheAlertAndExit) {
    ScriptedProgress dialog;
    dialog.SetTotal(3);
    dialog.script = [](ScriptedProgress& d) {
        EXPECT_FALSE(d.Shown(CDlgScanResult::kAlertId));
        EXPECT_FALSE(d.Shown(CDlgScanResult::kTotalId));
        RunWorker(d, [&] {
            d.AddDeleted(1);
            d.AddFailed();
            d.AddDeleted(1);
            d.FinishDeletion();
        });
        EXPECT_EQ(d.Failed(), 1);
        EXPECT_EQ(d.DisplayText(CDlgScanResult::kFailedId), L"1");
        EXPECT_EQ(d.DisplayText(CDlgScanResult::kDeletedId), L"2");
        EXPECT_TRUE(d.Shown(CDlgScanResult::kAlertId));
        EXPECT_TRUE(d.Shown(CDlgScanResult::kExitId));
        d.Exit();
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
}

TEST(ProgressDialogTest, ASuspendedWorkerIsResumedOnceTheWindowExists) {
    ScriptedProgress dialog;
    WorkerThread worker;
    bool windowThere = false;
    ASSERT_TRUE(worker.StartSuspended([&](HANDLE) {
        windowThere = ::IsWindow(dialog.Window()) != FALSE;
        dialog.AddDeleted(2);
        dialog.FinishDeletion();
    }));
    dialog.SetTotal(2);
    dialog.SetOnReady([&] { worker.Resume(); });
    dialog.script = [](ScriptedProgress& d) {
        EXPECT_TRUE(WaitUntil([&] { return d.Finished(); }));
        EXPECT_EQ(d.DisplayText(CDlgScanResult::kDeletedId), L"2");
        d.Exit();
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    worker.Join();
    EXPECT_TRUE(windowThere);
}

TEST(ProgressDialogTest, EnterAndEscapeDoNotCloseItButExitDoes) {
    ScriptedProgress dialog;
    dialog.SetTotal(1);
    bool stillOpen = false;
    dialog.script = [&](ScriptedProgress& d) {
        RunWorker(d, [&] {
            d.AddDeleted(1);
            d.FinishDeletion();
        });
        EXPECT_FALSE(d.Shown(CDlgScanResult::kAlertId)) << "everything was deleted";
        EXPECT_TRUE(d.Shown(CDlgScanResult::kExitId));
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            ::PostMessageW(d.Window(), WM_KEYDOWN, key, 0);
            ::PostMessageW(d.Window(), WM_KEYUP, key, 0xC0000000);
        }
        ::PostMessageW(d.Window(), WM_CLOSE, 0, 0);
        PumpMessages(200);
        stillOpen = ::IsWindow(d.Window()) && ::IsWindowVisible(d.Window());
        d.Exit();
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_TRUE(stillOpen);
}

TEST(ProgressDialogTest, ReportsBeyondTheTotalNeitherStepOnNorPause) {
    ScriptedProgress dialog;
    dialog.SetTotal(5);
    dialog.script = [](ScriptedProgress& d) {
        DWORD elapsed = 0;
        RunWorker(d, [&] {
            DWORD start = ::GetTickCount();
            // A key deleted as a whole counts all its values: far more than the rows listed.
            for (int i = 0; i < 200; ++i) d.AddDeleted(1);
            elapsed = ::GetTickCount() - start;
            d.FinishDeletion();
        });
        EXPECT_EQ(d.Step(), 10);
        EXPECT_EQ(d.Deleted(), 200);
        EXPECT_LT(elapsed, 1500u) << "at most about ten pauses of 20 ms";
        EXPECT_EQ(d.DisplayText(CDlgScanResult::kDeletedId), L"200");
        d.Exit();
    };
    dialog.DoModal(nullptr);
}

TEST(ProgressDialogTest, IsCentredWithItsCornersCutOut) {
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 80, 800, 600, nullptr, nullptr,
                                   nullptr, nullptr);
    ScriptedProgress dialog;
    dialog.SetTotal(0);
    dialog.script = [](ScriptedProgress& d) {
        RECT window{};
        ::GetWindowRect(d.Window(), &window);
        EXPECT_EQ(window.right - window.left, 429);
        EXPECT_EQ(window.bottom - window.top, 302);
        EXPECT_EQ(window.left, 100 + (800 - 429) / 2);
        EXPECT_EQ(window.top, 80 + (600 - 302) / 2);
        EXPECT_EQ(::GetWindowLongW(d.Window(), GWL_STYLE) & WS_CAPTION, 0);
        HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(d.Window(), outline), ERROR);
        EXPECT_FALSE(::PtInRegion(outline, 0, 0)) << "the magenta corner is cut away";
        EXPECT_FALSE(::PtInRegion(outline, 428, 301));
        EXPECT_TRUE(::PtInRegion(outline, 214, 150));
        EXPECT_TRUE(::PtInRegion(outline, 214, 0));
        ::DeleteObject(outline);
        // The picture plays while the deletion runs and stops at the end.
        RunWorker(d, [&] { d.FinishDeletion(); });
        d.Exit();
    };
    EXPECT_EQ(dialog.DoModal(owner), IDOK);
    ::DestroyWindow(owner);
}

}  // namespace
}  // namespace scw::test

namespace scw::test {
namespace {

class ProgressDialogDpiTest : public testing::TestWithParam<int> {};

// Opened over a main window shown at a DPI: the dialog, its children, its outline and its bar
// take that scale.
TEST_P(ProgressDialogDpiTest, TakesItsOwnersScale) {
    const Dpi dpi(GetParam());
    DpiHost owner(dpi);
    ::SetWindowPos(owner.Get(), nullptr, 0, 0, dpi.Scale(800), dpi.Scale(686), SWP_NOZORDER | SWP_SHOWWINDOW);
    ScriptedProgress dialog;
    dialog.SetTotal(1);
    dialog.script = [dpi](ScriptedProgress& d) {
        EXPECT_EQ(d.ShownDpi(), dpi);
        RECT window{};
        ::GetWindowRect(d.Window(), &window);
        EXPECT_EQ(window.right - window.left, dpi.Scale(CDlgScanResult::kWidth));
        EXPECT_EQ(window.bottom - window.top, dpi.Scale(CDlgScanResult::kHeight));
        EXPECT_EQ(window.left, (dpi.Scale(800) - dpi.Scale(CDlgScanResult::kWidth)) / 2) << "centred over its owner";

        const struct {
            int id;
            RECT at96;
        } children[] = {{CDlgScanResult::kExitId, {347, 255, 411, 275}},
                        {CDlgScanResult::kDeletedId, {153, 176, 242, 200}},
                        {CDlgScanResult::kFailedId, {153, 213, 242, 237}},
                        {CDlgScanResult::kAlertId, {32, 242, 307, 284}}};
        for (const auto& child : children) {
            const RECT shown = PlaceInParent(d.GetDlgItem(child.id));
            const RECT wanted = dpi.Scale(child.at96);
            EXPECT_TRUE(EqualRect(&shown, &wanted)) << child.id;
        }

        const int width = dpi.Scale(CDlgScanResult::kWidth), height = dpi.Scale(CDlgScanResult::kHeight);
        HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(d.Window(), outline), ERROR);
        EXPECT_FALSE(::PtInRegion(outline, 0, 0));
        EXPECT_FALSE(::PtInRegion(outline, width - 1, height - 1));
        EXPECT_TRUE(::PtInRegion(outline, width / 2, height / 2));
        ::DeleteObject(outline);

        RunWorker(d, [&] {
            d.AddDeleted(1);
            d.FinishDeletion();
        });
        // The whole bar, every segment at its place at this DPI.
        Canvas canvas(width, height);
        d.PaintFace(canvas.Dc());
        for (int i = 0; i < CDlgScanResult::kSegments; ++i) {
            const RECT segment = dpi.Scale(RECT{90 + i * 24, 150, 90 + (i + 1) * 24, 161});
            const int area = (segment.right - segment.left) * (segment.bottom - segment.top);
            EXPECT_GT(canvas.Greenish(segment), area / 2) << i;
        }
        d.Exit();
    };
    EXPECT_EQ(dialog.DoModal(owner.Get()), IDOK);
}

INSTANTIATE_TEST_SUITE_P(Scales, ProgressDialogDpiTest, testing::ValuesIn(TestDpis()),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace scw::test
