#include <gtest/gtest.h>

#include "MainWindowHarness.h"
#include "ScrollBarParts.h"

namespace {

QString course(const MainWindowHarness& harness, const char* relative)
{
    return harness.course.path(QString::fromLatin1(relative));
}

class Playback : public ::testing::Test {
protected:
    TfrmMain& start(bool introduction = true)
    {
        harness.course.writeLessonCourse(introduction);
        TfrmMain& w = harness.start();
        harness.video->calls.clear();
        harness.wave->calls.clear();
        return w;
    }

    void tickAt(double position, double length)
    {
        harness.video->positionValue = position;
        harness.video->durationValue = length;
        harness.window->Timer1Timer();
    }

    MainWindowHarness harness;
};

TEST_F(Playback, TimerMovesTheBarToTheRoundedPercentage)
{
    struct Case {
        double position, length;
        int expected;
    };
    const Case cases[] = {
        {1, 8, 12},       // 12.5: halves go to the even neighbour
        {3, 8, 38},       // 37.5
        {7.96, 8, 100},   // 99.5
        {9, 8, 100},      // beyond the clip's end: the bar clamps
        {0, 250, 0},
        {1e300, 1, 100},  // far beyond any whole number
    };
    TfrmMain& w = start();
    for (const Case& c : cases) {
        w.ScrollBar1->setValue(50);
        tickAt(c.position, c.length);
        EXPECT_EQ(w.ScrollBar1->value(), c.expected) << c.position << " of " << c.length;
    }
    EXPECT_TRUE(harness.video->calls.filter(QStringLiteral("seek")).isEmpty()) << "the timer never seeks";
}

// 1 % of a 30 s clip seeks to a whole second that reads back as another percent.
TEST_F(Playback, TheTimerKeepsTheBarsStepWhileTheVideoSeeksOrStandsThere)
{
    const struct {
        const char* name;
        bool seeking;
        double position;
        int expected;
    } cases[] = {
        {"still seeking", true, 0, 1},
        {"standing where the bar sent it", false, 0, 1},
        {"played on from there", false, 0.6, 2},
    };
    TfrmMain& w = start(false);
    w.show();
    for (const auto& c : cases) {
        harness.video->durationValue = 30;
        harness.video->positionValue = 0;
        w.ScrollBar1->setValue(0);
        clickScrollBarPart(*w.ScrollBar1, QStyle::SC_ScrollBarAddLine);
        harness.video->seeking = c.seeking;
        tickAt(c.position, 30);
        harness.video->seeking = false;
        EXPECT_EQ(w.ScrollBar1->value(), c.expected) << c.name;
    }
}

TEST_F(Playback, WithNoClipOpenTheTimerLeavesTheBarAndAScrollSeeksToTheStart)
{
    TfrmMain& w = start();
    w.show();
    w.ScrollBar1->setValue(40);
    tickAt(5, 0);
    tickAt(5, -1);
    EXPECT_EQ(w.ScrollBar1->value(), 40);
    clickScrollBarPart(*w.ScrollBar1, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(harness.video->calls, (QStringList{"seek 0", "seek 0"}));
}

TEST_F(Playback, ArrowClickOnTheBarSeeksToTheOldThenTheNewPosition)
{
    TfrmMain& w = start();
    w.show();
    harness.video->durationValue = 250;
    w.ScrollBar1->setValue(37);
    clickScrollBarPart(*w.ScrollBar1, QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(w.ScrollBar1->value(), 38);
    // 250 s at 37 % is 92.5 s, rounded to the even 92; at 38 % it is 95 s.
    EXPECT_EQ(harness.video->calls, (QStringList{"seek 92", "seek 95"}));
}

// Tab reaches the seek bar after the button bar. Each key on it is a step
// and an end of scroll: the video goes to the old, then the new position.
TEST_F(Playback, KeysOnTheSeekBarSeekAsItsArrowsDo)
{
    struct Case {
        Qt::Key key;
        int after;
        QStringList seeks;  // 250 s: 37 % is 92.5 s, rounded to the even 92
    };
    const Case cases[] = {
        {Qt::Key_Right, 38, {"seek 92", "seek 95"}},  {Qt::Key_Down, 38, {"seek 92", "seek 95"}},
        {Qt::Key_PageDown, 38, {"seek 92", "seek 95"}}, {Qt::Key_Left, 36, {"seek 92", "seek 90"}},
        {Qt::Key_Up, 36, {"seek 92", "seek 90"}},     {Qt::Key_PageUp, 36, {"seek 92", "seek 90"}},
        {Qt::Key_Home, 0, {"seek 92", "seek 0"}},     {Qt::Key_End, 100, {"seek 92", "seek 250"}},
    };
    TfrmMain& w = start(false);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    harness.video->durationValue = 250;
    w.selBm->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.selBm, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.ScrollBar1);
    for (const Case& c : cases) {
        w.ScrollBar1->setValue(37);
        harness.video->calls.clear();
        QTest::keyClick(w.ScrollBar1, c.key);
        EXPECT_EQ(w.ScrollBar1->value(), c.after) << QKeySequence(c.key).toString().toStdString();
        EXPECT_EQ(harness.video->calls, c.seeks) << QKeySequence(c.key).toString().toStdString();
    }
}

TEST_F(Playback, TheIntroductionAtItsEndHandsOverToLessonOneAndNothingElse)
{
    TfrmMain& w = start();
    const bool highlightShown = w.imgHighlite->visibleFlag();
    tickAt(7.9, 8);
    EXPECT_TRUE(harness.video->calls.isEmpty()) << "99 % is not the end";
    tickAt(8, 8);
    EXPECT_EQ(harness.video->calls, QStringList{"open " + course(harness, "Media/vid_01.avi")})
        << "the new clip starts by itself: no play call";
    EXPECT_EQ(w.ActiveMovie1->FileName(), course(harness, "Media/vid_01.avi"));
    EXPECT_EQ(w.currentLesson, QStringLiteral("0"));
    EXPECT_EQ(w.imgHighlite->visibleFlag(), highlightShown);

    // Lesson 1 keeps the old 100 % until a tick finds it open; its own end loads nothing.
    harness.video->calls.clear();
    tickAt(12, 12);
    EXPECT_TRUE(harness.video->calls.isEmpty());
}

// A drag of the thumb to the right end on the introduction hands over to
// lesson 1; the rest of that drag, and its release, seek nothing in lesson 1.
// The next scroll action seeks lesson 1 as usual.
TEST_F(Playback, ADragThatHandsOverNeverSeeksLessonOne)
{
    TfrmMain& w = start();
    w.show();
    harness.video->durationValue = 8;
    const QRect groove = scrollBarPart(*w.ScrollBar1, QStyle::SC_ScrollBarGroove);
    const QPoint thumb = scrollBarPart(*w.ScrollBar1, QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(w.ScrollBar1, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(w.ScrollBar1, QPoint(groove.right() + 20, thumb.y()));
    harness.video->durationValue = 5;  // lesson 1 opens while the thumb is held
    QTest::mouseMove(w.ScrollBar1, QPoint(groove.right() + 30, thumb.y()));
    QTest::mouseRelease(w.ScrollBar1, Qt::LeftButton, {}, QPoint(groove.right() + 30, thumb.y()));
    const qsizetype handOver = harness.video->calls.indexOf("open " + course(harness, "Media/vid_01.avi"));
    ASSERT_GE(handOver, 0);
    EXPECT_EQ(harness.video->calls.mid(handOver + 1), QStringList()) << "no seek after the hand-over";

    harness.video->calls.clear();
    clickScrollBarPart(*w.ScrollBar1, QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(harness.video->calls, (QStringList{"seek 5", "seek 5"}));  // 99 % of 5 s is 4.95 s
}

// A clip that cannot be opened is reported through the error box at once.
TEST_F(Playback, AClipThatCannotBeOpenedIsReportedAtOnce)
{
    start();
    harness.video->simulateOpenFailure(QStringLiteral("The file /c/Media/vid_01.avi is damaged or is not a video"));
    EXPECT_EQ(harness.errors, QStringList{"The file /c/Media/vid_01.avi is damaged or is not a video."});
}

TEST_F(Playback, ButtonsStopTheBarsSoundThenActOnTheVideoThenOnTheSound)
{
    struct Case {
        const char* name;
        int button;
        VideoControl::PlayState before;
        QStringList video;
        QStringList wave;
    };
    const Case cases[] = {
        {"play", TMediaPlayer::btPlay, VideoControl::Paused, {"play"}, {"stop", "play"}},
        {"pause while playing", TMediaPlayer::btPause, VideoControl::Playing, {"pause"}, {"stop"}},
        {"pause while stopped", TMediaPlayer::btPause, VideoControl::Stopped, {}, {"stop"}},
        {"pause while paused", TMediaPlayer::btPause, VideoControl::Paused, {}, {"stop"}},
        {"stop", TMediaPlayer::btStop, VideoControl::Playing, {"stop"}, {"stop", "stop"}},
    };
    TfrmMain& w = start();
    for (const Case& c : cases) {
        harness.video->calls.clear();
        harness.wave->calls.clear();
        harness.video->state = c.before;
        w.MediaPlayer1->click(c.button);
        EXPECT_EQ(harness.video->calls, c.video) << c.name;
        EXPECT_EQ(harness.wave->calls, c.wave) << c.name;
    }
    EXPECT_TRUE(harness.errors.isEmpty());
}

TEST_F(Playback, FailuresEndTheClickBeforeTheRest)
{
    TfrmMain& w = start();
    harness.video->playFailure = QStringLiteral("Cannot play this clip");
    w.MediaPlayer1->click(TMediaPlayer::btPlay);
    EXPECT_EQ(harness.errors, QStringList{"Cannot play this clip."});
    EXPECT_EQ(harness.wave->calls, QStringList{"stop"}) << "the bar's own action is skipped";

    // A bar whose sound never opened stops the click before the video is touched.
    harness.errors.clear();
    harness.wave->currentMode = WaveDevice::NotOpen;
    harness.video->calls.clear();
    w.MediaPlayer1->click(TMediaPlayer::btStop);
    EXPECT_EQ(harness.errors, QStringList{"No MCI device open."});
    EXPECT_TRUE(harness.video->calls.isEmpty());
}

}  // namespace
