#include <gtest/gtest.h>

#include <atomic>

#include "app/LumeApp.h"
#include "framework/WorkerThread.h"

using namespace scw;

TEST(AppLifetime, FreeingTheCatalogueStopsAndJoinsRunningWorkersFirst) {
    CLumeApp app;
    app.BuildCatalogue();
    std::atomic<bool> walking{false};
    std::atomic<bool> ended{false};
    std::atomic<long> sum{0};
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([&](HANDLE stop) {
        while (::WaitForSingleObject(stop, 0) != WAIT_OBJECT_0) {
            app.TheCatalogue().ForEach([&](CMyObject* node) { sum += node->itemId; });
            walking = true;
        }
        ended = true;
    }));
    while (!walking) ::Sleep(1);
    long before = CMyObject::LiveCount();
    app.FreeCatalogue();
    EXPECT_TRUE(ended) << "the worker ended before the nodes it walks were freed";
    EXPECT_EQ(before - CMyObject::LiveCount(), 175);
    EXPECT_GT(sum, 0);
}
