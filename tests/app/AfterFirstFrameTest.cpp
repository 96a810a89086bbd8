#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QWidget>

#include "AfterFirstFrame.h"
#include "TestApplication.h"

namespace {

void runEventsFor(int milliseconds, const std::function<bool()>& done = [] { return false; })
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The work waits for the window's first frame, comes once, and never again
// with later frames or the fallback's time.
TEST(AfterFirstFrame, RunsOnceTheWindowHasDrawnItsFirstFrame)
{
    testApplication();
    QWidget window;
    window.resize(100, 100);
    int runs = 0;
    bool shownWhenRun = false;
    AfterFirstFrame after(window, [&] {
        ++runs;
        shownWhenRun = window.isVisible();
    });
    runEventsFor(100);
    EXPECT_EQ(runs, 0);
    window.show();
    runEventsFor(900, [&] { return runs > 0; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shownWhenRun);
    window.update();
    runEventsFor(1200);
    EXPECT_EQ(runs, 1);
}

// A window that never draws still gets its work, once, a second on.
TEST(AfterFirstFrame, RunsAfterASecondWhenTheWindowNeverDraws)
{
    testApplication();
    QWidget window;
    int runs = 0;
    AfterFirstFrame after(window, [&] { ++runs; });
    runEventsFor(1500, [&] { return runs > 0; });
    EXPECT_EQ(runs, 1);
}

}  // namespace
