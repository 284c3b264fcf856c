// The worker rules: a stop joins (the owner never frees what a worker still uses), a join keeps
// the window thread answering the worker, and a worker never resumed still ends.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "framework/UiChannel.h"
#include "framework/WorkerThread.h"
#include "tests/common/TestSupport.h"

namespace scw {
namespace {

TEST(WorkerThread, StopAndJoinReturnsOnlyOnceTheBodyHasEndedAndTheOwnerJoinsToo) {
    std::atomic<bool> ended{false};
    {
        WorkerThread worker;
        ASSERT_TRUE(worker.Start([&](HANDLE stop) {
            ::WaitForSingleObject(stop, INFINITE);
            ::Sleep(200);  // still tidying up after the stop
            ended = true;
        }));
        EXPECT_FALSE(worker.Start([](HANDLE) {})) << "one body at a time";
        worker.StopAndJoin();
        EXPECT_TRUE(ended.load());
        EXPECT_FALSE(worker.Running());

        ended = false;
        ASSERT_TRUE(worker.Start([&](HANDLE stop) {
            ::WaitForSingleObject(stop, INFINITE);
            ::Sleep(200);
            ended = true;
        })) << "a finished worker starts again, with a fresh stop";
    }
    EXPECT_TRUE(ended.load()) << "the owner's end joined the second body";
}

TEST(WorkerThread, AJoinServesTheWorkersSendsToTheWindowThread) {
    UiChannel channel;
    std::atomic<int> served{0};
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([&](HANDLE stop) {
        while (::WaitForSingleObject(stop, 0) != WAIT_OBJECT_0)
            if (channel.Send([&] { ++served; })) ::Sleep(1);
        // After the stop: one more send, which only a pumping join can serve.
        channel.Send([&] { ++served; });
    }));
    ASSERT_TRUE(test::WaitUntil([&] { return served.load() > 0; }));
    const int before = served.load();
    worker.StopAndJoin();
    EXPECT_GT(served.load(), before);
}

TEST(WorkerThread, ASuspendedWorkerNeverResumedEndsAtTheStopWithoutDoingItsWork) {
    std::atomic<bool> worked{false};
    std::atomic<bool> sawStop{false};
    WorkerThread worker;
    ASSERT_TRUE(worker.StartSuspended([&](HANDLE stop) {
        if (::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
            sawStop = true;
            return;
        }
        worked = true;
    }));
    ::Sleep(50);
    EXPECT_FALSE(worked.load()) << "it waits for its resume";
    worker.StopAndJoin();
    EXPECT_TRUE(sawStop.load());
    EXPECT_FALSE(worked.load());
}

TEST(WorkerThread, StopAndJoinAllWaitsForEveryWorkerAndLeavesTheirOwnersUsable) {
    std::atomic<int> ended{0};
    auto first = std::make_unique<WorkerThread>();
    WorkerThread second;
    for (WorkerThread* worker : {first.get(), &second})
        ASSERT_TRUE(worker->Start([&](HANDLE stop) {
            ::WaitForSingleObject(stop, INFINITE);
            ::Sleep(100);
            ++ended;
        }));
    WorkerThread::StopAndJoinAll();
    EXPECT_EQ(ended.load(), 2);
    first.reset();  // an owner that goes after the program's last stop
    EXPECT_TRUE(second.Start([&](HANDLE) { ++ended; }));
    second.Join();
    EXPECT_EQ(ended.load(), 3);
}

TEST(WorkerThread, AnExceptionInTheBodyEndsOnlyTheWorker) {
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([](HANDLE) { throw 42; }));
    worker.Join();
    EXPECT_FALSE(worker.Running());
}

}  // namespace
}  // namespace scw
