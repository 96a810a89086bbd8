#include <gtest/gtest.h>

#include "MainWindowHarness.h"

namespace {

struct Placement {
    QRect video;
    QPoint buttonBar;
    QRect strip;
    QRect seekBar;
    QSize window;
};

Placement placementOf(const TfrmMain& w)
{
    return {w.aVidPanel->geometry(), w.MediaPlayer1->pos(),
            QRect(w.controlPanel->pos(), QSize(w.controlPanel->width(), 0)),
            QRect(w.ScrollBar1->pos(), QSize(w.ScrollBar1->width(), 0)), w.outerSize()};
}

void expectPlacement(const TfrmMain& w, const Placement& expected, const char* view)
{
    const Placement actual = placementOf(w);
    EXPECT_EQ(actual.video, expected.video) << view;
    EXPECT_EQ(actual.buttonBar, expected.buttonBar) << view;
    EXPECT_EQ(actual.strip, expected.strip) << view;
    EXPECT_EQ(actual.seekBar, expected.seekBar) << view;
    EXPECT_EQ(actual.window, expected.window) << view;
    EXPECT_EQ(w.ActiveMovie1->size(), expected.video.size()) << view;
    EXPECT_EQ(w.ActiveMovie1->pos(), QPoint(1, 1)) << view;
}

const Placement kNormalLessonView{{280, 131, 720, 540}, {281, 577}, {282, 577, 721, 0}, {595, 577, 407, 0}, {1020, 730}};
const Placement kMinView{{1, 1, 720, 540}, {2, 447}, {3, 447, 721, 0}, {316, 447, 407, 0}, {727, 588}};
const Placement kMaxView{{1, 1, 910, 682}, {2, 589}, {3, 589, 911, 0}, {316, 589, 597, 0}, {917, 730}};

TEST(PlayerViews, MouseButtonsSwitchBetweenTheThreeViews)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    expectPlacement(w, kNormalLessonView, "normal");

    harness.video->simulateMouseUp(Qt::RightButton);
    EXPECT_EQ(w.screenMode, QStringLiteral("min"));
    expectPlacement(w, kMinView, "min");

    harness.video->simulateMouseUp(Qt::LeftButton);
    EXPECT_EQ(w.screenMode, QStringLiteral("normal")) << "from the compact view any button goes back";
    expectPlacement(w, kNormalLessonView, "normal again");

    harness.video->simulateMouseUp(Qt::MiddleButton);
    EXPECT_EQ(w.screenMode, QStringLiteral("max"));
    expectPlacement(w, kMaxView, "max");

    harness.video->simulateMouseUp(Qt::RightButton);
    EXPECT_EQ(w.screenMode, QStringLiteral("normal"));
    EXPECT_EQ(w.pos(), QPoint(212, 164)) << "the window keeps its place";
    EXPECT_TRUE(harness.errors.isEmpty());
}

TEST(PlayerViews, SingleVideoModeUsesItsOwnNormalView)
{
    MainWindowHarness harness;
    harness.course.writeSkin();
    TfrmMain& w = harness.start();
    const Placement normal{{5, 131, 720, 540}, {6, 577}, {7, 577, 721, 0}, {320, 577, 407, 0}, {736, 723}};
    expectPlacement(w, normal, "single normal");
    harness.video->simulateMouseUp(Qt::LeftButton);
    expectPlacement(w, kMaxView, "single max");
    harness.video->simulateMouseUp(Qt::LeftButton);
    expectPlacement(w, normal, "single normal again");
}

TEST(PlayerViews, DoubleClickAndTheHiddenButtonTurnOnFullScreen)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    harness.video->simulateDoubleClick();
    EXPECT_TRUE(harness.video->fullScreen);
    EXPECT_EQ(w.ActiveMovie1->DisplaySize(), TActiveMovie::FullScreenDisplay);
    EXPECT_EQ(w.screenMode, QStringLiteral("normal"));
    harness.video->simulateLeaveFullScreen();
    w.btnMinimize->click();
    EXPECT_TRUE(harness.video->fullScreen);
    EXPECT_FALSE(w.btnMinimize->isVisibleTo(&w));
}

}  // namespace
