#include <gtest/gtest.h>

#include <atomic>

#include "app/LumeApp.h"
#include "framework/WorkerThread.h"
#include "state/Settings.h"
#include "tests/common/TestSupport.h"

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

// The main window and its pages run on these from their first message: no value is 0 for want
// of a page that has read the file.
TEST(AppLifetime, SettingsAreReadOnceBeforeAnyWindowFromAFileMadeWithItsDefaults) {
    test::TempFolder folder;
    CIniFileRW file(CIniFileRW::ByPath{}, folder / L"setting.ini");
    CLumeApp app(file);
    app.LoadSettings();
    EXPECT_EQ(app.State().settings.trayOnClose, 1);
    EXPECT_EQ(app.State().settings.schedulerHour, 9);
    EXPECT_EQ(app.State().settings.schedulerMinute, 38);

    file.WriteInt(kSectionExit, kKeyExit, 1);
    CLumeApp again(file);
    again.LoadSettings();
    EXPECT_EQ(again.State().settings.exitOnClose, 1) << "an existing file is read as it is";
    EXPECT_EQ(again.State().settings.trayOnClose, 1);
}
