#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <thread>

#include "engine/ScanRun.h"
#include "tests/sweep/page/SweepViewFixture.h"

namespace scw::test {
namespace {

// Category 102 > program 103 > items 104...; all three rows visible once expanded.
class ItemTreeTest : public SweepTreeTest {
protected:
    void ShowFirstItem() {
        Expand(102);
        Expand(103);
        TreeView_SelectSetFirstVisible(hwnd, tree.RowOf(Node(102)));
        PumpMessages(20);
    }
    void SetFound(UINT id, int count, ScanState state) {
        Node(id).traceCount = count;
        Node(id).scanState = state;
    }
    // The part of a row right of its text, where counts and status squares live.
    RECT CountArea(UINT id) {
        RECT row = RowRect(id);
        return RECT{CountWidth() - 21 - tree.MeasureCountColumn().cx - 2 * Indent() - 4, row.top,
                    CountWidth() - 16, row.bottom};
    }
    int Indent() { return static_cast<int>(TreeView_GetIndent(hwnd)); }
};

TEST_F(ItemTreeTest, CountColumnIsAsWideAsFiveDigitsInTheTreeFont) {
    HDC dc = ::GetDC(hwnd);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE expected{};
    ::GetTextExtentPoint32W(dc, L"67890", 5, &expected);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    SIZE measured = tree.MeasureCountColumn();
    EXPECT_EQ(measured.cx, expected.cx);
    EXPECT_EQ(measured.cy, expected.cy);

    // The layout uses it whatever the counts are: a one-digit count ends where a long one does.
    ShowFirstItem();
    tree.ResetAllNodes(measured);
    EXPECT_EQ(tree.PlacesOf(Node(104)).countRect.right - tree.PlacesOf(Node(104)).countRect.left, measured.cx);
}

TEST_F(ItemTreeTest, CountsFormAStaircaseThatMirrorsTheIndent) {
    ShowFirstItem();
    SIZE column = tree.MeasureCountColumn();
    tree.ResetAllNodes(column);
    SetFound(102, 8, ScanDone);
    SetFound(103, 8, ScanDone);
    SetFound(104, 8, ScanDone);
    SetFound(105, 1, ScanRunning);
    Canvas canvas(Client().right, Client().bottom);
    Render(canvas);

    const int right = CountWidth() - 21;
    int item = canvas.RightmostDark(CountArea(104));
    int program = canvas.RightmostDark(CountArea(103));
    int category = canvas.RightmostDark(CountArea(102));
    // Right-aligned ink ends just inside each level's rectangle, one indent further left per level.
    EXPECT_LE(item, right - 1);
    EXPECT_GE(item, right - 4);
    EXPECT_EQ(program, item - Indent());
    EXPECT_EQ(category, item - 2 * Indent());

    // Items carry the status square at the very right: the done image is green, categories have none.
    RECT square104 = RowRect(104);
    square104.left = CountWidth() - 16;
    square104.right = CountWidth();
    EXPECT_GT(canvas.Greenish(square104), 10);
    RECT square102 = RowRect(102);
    square102.left = CountWidth() - 16;
    EXPECT_EQ(canvas.Ink(square102), 0);
    // The item being scanned shows an animation frame rather than the done image.
    RECT square105 = RowRect(105);
    square105.left = CountWidth() - 16;
    square105.right = CountWidth();
    EXPECT_GT(canvas.Ink(square105), 10);
}

TEST_F(ItemTreeTest, NoCountsBeforeARunNorAfterAReset) {
    ShowFirstItem();
    Canvas before(Client().right, Client().bottom);
    Render(before);
    for (UINT id : {102u, 103u, 104u}) EXPECT_EQ(before.Ink(CountArea(id)), 0) << id;

    SIZE column = tree.MeasureCountColumn();
    tree.ResetAllNodes(column);
    SetFound(102, 3, ScanDone);
    SetFound(103, 3, ScanDone);
    SetFound(104, 3, ScanDone);
    Canvas during(Client().right, Client().bottom);
    Render(during);
    EXPECT_GT(during.Ink(CountArea(104)), 0);

    tree.ResetAllNodes(column);
    EXPECT_EQ(Node(104).traceCount.load(), 0);
    EXPECT_EQ(Node(102).scanState.load(), ScanIdle);
    Canvas after(Client().right, Client().bottom);
    Render(after);
    for (UINT id : {102u, 103u, 104u}) EXPECT_EQ(after.Ink(CountArea(id)), 0) << id;
}

TEST_F(ItemTreeTest, ResetListsTheTickedItemsInDisplayOrderFromAWorker) {
    tree.ApplyItemSet({130, 999, 104, -5, 0});
    EXPECT_EQ(tree.GetCheck(Node(104)), Checked);
    EXPECT_EQ(tree.GetCheck(Node(130)), Checked);
    EXPECT_EQ(tree.GetCheck(Node(105)), Unchecked);
    EXPECT_EQ(tree.GetCheck(Node(102)), PartlyChecked);

    std::vector<CMyObject*> ticked;
    bool done = false;
    std::thread worker([&] {
        ticked = tree.ResetAllNodes(tree.MeasureCountColumn());
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done; }));
    worker.join();
    ASSERT_EQ(ticked.size(), 2u);
    EXPECT_EQ(ticked[0]->itemId, 104u);
    EXPECT_EQ(ticked[1]->itemId, 130u);

    tree.CheckAll();
    EXPECT_EQ(tree.GetCheck(Node(102)), Checked);
    EXPECT_EQ(tree.ResetAllNodes(tree.MeasureCountColumn()).size(), 139u);
    tree.UncheckAll();
    EXPECT_TRUE(tree.ResetAllNodes(tree.MeasureCountColumn()).empty());
}

TEST_F(ItemTreeTest, MarkScanningAndScannedFromAWorkerAnimateThenShowDone) {
    ShowFirstItem();
    tree.ResetAllNodes(tree.MeasureCountColumn());
    CMyObject& item = Node(104);
    bool marked = false;
    std::thread scanning([&] {
        SetScanState(item, ScanRunning);  // as the run does before it tells the tree
        tree.MarkScanning(item);
        CountTrace(item);
        CountTrace(item);
        marked = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return marked; }));
    scanning.join();
    EXPECT_EQ(tree.AnimatedItem(), &item);
    for (UINT id : {102u, 103u, 104u}) EXPECT_EQ(Node(id).scanState.load(), ScanRunning) << id;
    // The timer of the tree's own thread moves the animation on.
    EXPECT_TRUE(WaitUntil([&] { return tree.AnimationFrame() >= 2; }, 3000));

    Canvas running(Client().right, Client().bottom);
    Render(running);
    EXPECT_GT(running.Ink(CountArea(103)), 0) << "the program shows its running count";

    bool finished = false;
    std::thread scanned([&] {
        SetScanState(item, ScanDone);
        tree.MarkScanned(item);
        finished = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return finished; }));
    scanned.join();
    EXPECT_EQ(tree.AnimatedItem(), nullptr);
    for (UINT id : {102u, 103u, 104u}) EXPECT_EQ(Node(id).scanState.load(), ScanDone) << id;
    int frame = tree.AnimationFrame();
    PumpMessages(700);
    EXPECT_EQ(tree.AnimationFrame(), frame) << "the timer stopped";

    Canvas done(Client().right, Client().bottom);
    Render(done);
    RECT square = RowRect(104);
    square.left = CountWidth() - 16;
    square.right = CountWidth();
    EXPECT_GT(done.Greenish(square), 10);
    EXPECT_GT(done.Ink(CountArea(104)), 0);
}

TEST_F(ItemTreeTest, AClickOnTheDrawnCheckBoxTogglesOnceWithPushDown) {
    ShowFirstItem();
    RECT row = RowRect(103);
    // The middle of the check box drawn 36 to 20 pixels left of the text.
    POINT box{TextLeft(103) - 28, (row.top + row.bottom) / 2};
    LPARAM at = MAKELPARAM(box.x, box.y);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
    PumpMessages(20);
    EXPECT_EQ(tree.GetCheck(Node(103)), Checked);
    EXPECT_EQ(tree.GetCheck(Node(126)), Checked);
    EXPECT_EQ(tree.GetCheck(Node(102)), Checked);

    // What is drawn there is the ticked box (green fill), and the icon sits right of it.
    Canvas canvas(Client().right, Client().bottom);
    Render(canvas);
    RECT checkBox{TextLeft(103) - 36, row.top, TextLeft(103) - 20, row.bottom};
    EXPECT_GT(canvas.Greenish(checkBox), 20);

    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
    PumpMessages(20);
    EXPECT_EQ(tree.GetCheck(Node(103)), Unchecked);
    EXPECT_EQ(tree.GetCheck(Node(102)), Unchecked);

    // A press on the text selects and leaves the ticks alone. Posted: the tree view waits for
    // the release in its queue before it decides between a click and a drag.
    ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(TextLeft(103) + 5, box.y));
    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(TextLeft(103) + 5, box.y));
    PumpMessages(20);
    EXPECT_EQ(tree.GetCheck(Node(103)), Unchecked);
    EXPECT_EQ(TreeView_GetSelection(hwnd), tree.RowOf(Node(103)));
}

}  // namespace
}  // namespace scw::test
