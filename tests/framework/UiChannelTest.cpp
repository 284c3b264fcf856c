// The worker-to-window channel: closures run on the window thread, and never after the owner
// closed the channel; quits survive nested loops.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/Dialog.h"
#include "framework/UiChannel.h"
#include "framework/WorkerThread.h"
#include "res/resource.h"
#include "tests/common/TestSupport.h"

namespace scw {
namespace {

TEST(UiChannel, WorkFromAWorkerRunsOnTheWindowThreadInOrder) {
    UiChannel channel;
    const DWORD windowThread = ::GetCurrentThreadId();
    std::vector<int> order;
    std::atomic<bool> allOnWindowThread{true};
    bool sendRan = false;
    WorkerThread worker;
    worker.Start([&](HANDLE) {
        for (int i = 0; i < 3; ++i)
            channel.Post([&, i] {
                if (::GetCurrentThreadId() != windowThread) allOnWindowThread = false;
                order.push_back(i);
            });
        // A send returns only after everything posted before it has run.
        sendRan = channel.Send([&] { order.push_back(99); });
    });
    worker.Join();
    EXPECT_TRUE(sendRan);
    EXPECT_TRUE(allOnWindowThread);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 99}));
}

TEST(UiChannel, WorkAfterTheOwnerIsGoneIsDroppedAndNeverRuns) {
    auto channel = std::make_unique<UiChannel>();
    std::atomic<int> ran{0};
    // Queued but not yet drained when the owner closes: dropped.
    WorkerThread queuer;
    queuer.Start([&](HANDLE) { channel->Post([&] { ++ran; }); });
    while (queuer.Running()) ::Sleep(1);  // no pumping: the post stays queued
    channel->Close();
    test::PumpMessages(50);
    EXPECT_EQ(ran.load(), 0);

    // A worker that sends and posts after the close gets false at once, nothing runs.
    std::atomic<int> refused{0};
    WorkerThread late;
    late.Start([&](HANDLE) {
        if (!channel->Post([&] { ++ran; })) ++refused;
        if (!channel->Send([&] { ++ran; })) ++refused;
    });
    late.Join();
    channel.reset();
    test::PumpMessages(50);
    EXPECT_EQ(ran.load(), 0);
    EXPECT_EQ(refused.load(), 2);
}

TEST(UiChannel, ASenderWaitingWhenTheOwnerClosesIsReleased) {
    auto channel = std::make_unique<UiChannel>();
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    WorkerThread worker;
    worker.Start([&](HANDLE) { result = channel->Send([&] { ran = true; }) ? 1 : 0; });
    // Give the worker time to queue its send, without pumping it through.
    ::Sleep(100);
    channel.reset();
    worker.Join();
    EXPECT_FALSE(ran.load());
    EXPECT_EQ(result.load(), 0);
}

TEST(UiChannel, ClosuresMayUseTheChannelThemselves) {
    UiChannel channel;
    std::vector<int> order;
    // On the window thread a send runs at once; a post from inside a closure runs after it.
    EXPECT_TRUE(channel.Send([&] {
        order.push_back(1);
        channel.Post([&] {
            order.push_back(3);
            channel.Send([&] { order.push_back(4); });
        });
        order.push_back(2);
    }));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    test::PumpMessages(50);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    channel.Close();
    EXPECT_FALSE(channel.Send([&] { order.push_back(5); })) << "closed: not even the window thread's own work";
    EXPECT_EQ(order.size(), 4u);
}

TEST(QuitHandling, AQuitInANestedModalLoopEndsTheOuterLoopToo) {
    CDialog outer(IDD_ONECLICK_CHOOSE);
    CDialog inner(IDD_ONECLICK_CHOOSE);
    bool innerEndedByQuit = false;
    // Once the outer dialog runs, a timer opens the inner one, which then receives the quit.
    UiChannel channel;
    channel.Post([&] {
        channel.Post([] { ::PostQuitMessage(-1); });
        inner.DoModal(outer.GetSafeHwnd());
        innerEndedByQuit = inner.EndedByQuit();
    });
    outer.DoModal();
    EXPECT_TRUE(innerEndedByQuit);
    EXPECT_TRUE(outer.EndedByQuit());
    // The quit reached the outermost loop and is still there for whoever runs beyond it.
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(QuitHandling, AWaitThatSeesAQuitKeepsPumpingAndPostsItAgain) {
    UiChannel channel;
    bool sent = false;
    WorkerThread worker;
    worker.Start([&](HANDLE) {
        ::Sleep(50);
        // The window thread has seen the quit by now; this send must still be served.
        sent = channel.Send([] {});
    });
    ::PostQuitMessage(7);
    worker.Join();
    EXPECT_TRUE(sent);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
}  // namespace scw
