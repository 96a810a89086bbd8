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
// with later frames or the fallback's time; a window covered whole by an
// opaque child, which alone is painted then, as well.
TEST(AfterFirstFrame, RunsOnceTheWindowHasDrawnItsFirstFrame)
{
    testApplication();
    for (const bool covered : {false, true}) {
        SCOPED_TRACE(covered ? "covered by a child" : "bare window");
        QWidget window;
        window.resize(100, 100);
        if (covered) {
            auto* child = new QWidget(&window);
            child->setAutoFillBackground(true);
            child->setGeometry(0, 0, 100, 100);
        }
        int runs = 0;
        bool shownWhenRun = false;
        AfterFirstFrame after(window, [&] {
            ++runs;
            shownWhenRun = window.isVisible();
        });
        runEventsFor(100);
        EXPECT_EQ(runs, 0);
        window.show();
        runEventsFor(500, [&] { return runs > 0; });  // well before the fallback
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(shownWhenRun);
        window.update();
        runEventsFor(1200);
        EXPECT_EQ(runs, 1);
    }
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
