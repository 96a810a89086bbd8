#include <gtest/gtest.h>

#include "DesktopMediaSession.h"
#include "FakeDesktopSession.h"
#include "MainWindowHarness.h"

namespace {

using Status = MediaSessionState::Status;

class DesktopSession : public ::testing::Test {
protected:
    TfrmMain& start(bool lessonCourse = true)
    {
        if (lessonCourse)
            harness.course.writeLessonCourse(true);
        TfrmMain& w = harness.start();
        session = std::make_unique<DesktopMediaSession>(w, QStringLiteral("Course"), inhibitor, media, clock);
        return w;
    }
    // The clip plays on for a while and the session looks again.
    void playFor(std::int64_t ms, double seconds)
    {
        clock.nowMs += ms;
        harness.video->positionValue += seconds;
        session->update();
    }

    MainWindowHarness harness;
    FakeIdleInhibitor inhibitor;
    FakeMediaSession media;
    FakeClock clock;
    std::unique_ptr<DesktopMediaSession> session;
};

TEST_F(DesktopSession, TheScreenIsKeptAwakeExactlyWhileAClipPlays)
{
    const std::pair<VideoControl::PlayState, Status> cases[] = {
        {VideoControl::Playing, Status::Playing}, {VideoControl::Paused, Status::Paused},
        {VideoControl::Waiting, Status::Playing}, {VideoControl::Stopped, Status::Stopped},
        {VideoControl::Playing, Status::Playing}, {VideoControl::Closed, Status::Stopped}};
    start();
    for (const auto& [state, status] : cases) {
        harness.video->state = state;
        session->update();
        EXPECT_EQ(media.state.status, status) << int(state);
        EXPECT_EQ(inhibitor.held, status == Status::Playing ? "Playing Introduction of Course" : QString()) << int(state);
    }
    harness.video->state = VideoControl::Playing;
    session->update();
    session.reset();
    EXPECT_TRUE(inhibitor.held.isEmpty()) << "closing gives the inhibition back";
    EXPECT_EQ(media.controls, nullptr);
}

TEST_F(DesktopSession, TransportGoesThroughTheButtonBar)
{
    start();
    harness.video->calls.clear();
    harness.wave->calls.clear();
    for (auto command : {&MediaSessionControls::pause, &MediaSessionControls::playPause, &MediaSessionControls::playPause,
                         &MediaSessionControls::stop, &MediaSessionControls::play})
        (media.controls->*command)();
    EXPECT_EQ(harness.video->calls, (QStringList{"pause", "play", "pause", "stop", "play"}));
    EXPECT_EQ(harness.wave->calls.count(QStringLiteral("stop")), 6) << "the handler's five and the bar's own Stop";
    EXPECT_EQ(media.state.status, Status::Playing) << "the desktop sees the change at once";
}

// PlayPause toggles what the desktop shows: a clip still opening, as at
// start-up before the player is up, shows as playing and is paused.
TEST_F(DesktopSession, PlayPauseTogglesTheStatusTheDesktopShows)
{
    const std::pair<VideoControl::PlayState, const char*> cases[] = {
        {VideoControl::Playing, "pause"}, {VideoControl::Waiting, "pause"}, {VideoControl::Paused, "play"},
        {VideoControl::Stopped, "play"},
    };
    start();
    for (const auto& [state, asked] : cases) {
        harness.video->state = state;
        harness.video->calls.clear();
        media.controls->playPause();
        EXPECT_EQ(harness.video->calls, QStringList{asked}) << int(state);
    }
}

TEST_F(DesktopSession, NextAndPreviousChooseLessonsAsARowClickDoes)
{
    struct Case {
        const char* name;
        int from;  // 0: the introduction
        bool next;
        QString expectedLesson;
    };
    const Case cases[] = {
        {"next after the introduction", 0, true, "1"}, {"previous before lesson 1", 0, false, "0"},
        {"previous at the first lesson", 1, false, "1"}, {"next at the last lesson", 3, true, "3"},
        {"next", 2, true, "3"},                         {"previous", 2, false, "1"},
    };
    TfrmMain& w = start();
    for (const Case& c : cases) {
        w.ActiveMovie1->setFileName(harness.course.path(QStringLiteral("Media/vid_0%1.avi").arg(c.from)));
        w.currentLesson = QString::number(c.from);
        c.next ? media.controls->next() : media.controls->previous();
        EXPECT_EQ(w.currentLesson, c.expectedLesson) << c.name;
    }
    harness.course.remove(QStringLiteral("Media/vid_03.avi"));
    w.chooseLesson(2);
    media.controls->next();
    EXPECT_EQ(w.currentLesson, "2") << "a lesson whose video is missing is not offered";
}

TEST_F(DesktopSession, SingleVideoModeHasNoOtherLessons)
{
    harness.course.writeSkin();
    for (const char* clip : {"Media/vid_01.avi", "Media/vid_02.avi"})
        harness.course.writeFile(QString::fromLatin1(clip), "avi");
    TfrmMain& w = start(false);
    media.controls->next();
    EXPECT_EQ(harness.video->openedPaths.size(), 1);
    EXPECT_EQ(media.state.title, w.lessonName);
    EXPECT_FALSE(media.state.canGoNext || media.state.canGoPrevious);
}

TEST_F(DesktopSession, MetadataNamesTheClipThatPlaysAndTheCourse)
{
    TfrmMain& w = start();
    harness.video->durationValue = 8;
    session->update();
    EXPECT_EQ(media.state.title + media.state.album + media.state.trackId,
              "IntroductionCourse/org/tovrelle/Tovrelle/lesson/0")
        << "tracks lie under the program's own path, not the prefix MPRIS keeps for itself";
    EXPECT_EQ(media.state.length, 8);
    w.ScrollBar1->setValue(100);  // the introduction hands over; the lesson stays "0"
    session->update();
    EXPECT_EQ(media.state.title, "Lesson 1");
    w.ActiveMovie1->setFileName(QString());
    session->update();
    EXPECT_TRUE(media.state.trackId.isEmpty()) << "no clip, no track";
}

TEST_F(DesktopSession, SeeksOfAnyOriginAreSignalledOnce)
{
    TfrmMain& w = start();
    harness.video->durationValue = 100;
    media.controls->setPosition(40);
    EXPECT_TRUE(harness.video->calls.contains(QStringLiteral("seek 40")));
    EXPECT_EQ(w.ScrollBar1->value(), 40) << "the bar follows at once";
    playFor(1000, 1);
    media.controls->setRate(2.0);
    playFor(1000, 2);
    EXPECT_EQ(media.seeks, (QList<double>{40})) << "playing on at its speed is no seek";
    harness.video->positionValue = 80;  // a bookmark, or the bar
    session->update();
    media.controls->pause();
    playFor(3000, 0);
    EXPECT_EQ(media.seeks, (QList<double>{40, 80}));
}

TEST_F(DesktopSession, RateSetsTheSpeedWithinItsRangeForEveryLesson)
{
    const std::pair<double, double> cases[] = {{1.5, 1.5}, {3, 2}, {0.1, 0.5}, {1.26, 1.3}, {0.94, 0.9}};
    TfrmMain& w = start();
    for (const auto& [asked, expected] : cases) {
        media.controls->setRate(asked);
        EXPECT_DOUBLE_EQ(harness.video->speedValue, expected) << asked;
        EXPECT_DOUBLE_EQ(media.state.rate, expected) << asked;
    }
    w.chooseLesson(2);
    EXPECT_DOUBLE_EQ(harness.video->speedValue, 0.9) << "the speed holds across lessons";
}

// A command that plays first brings the training section back, through its
// tab as a click does (the strip shows training), so that
// no lesson plays as sound behind the resources or sponsors page. The others
// leave the page, and a command on the training section clicks no tab.
TEST_F(DesktopSession, CommandsThatPlayBringTheTrainingSectionBack)
{
    struct Case {
        const char* name;
        void (MediaSessionControls::*command)();
        bool fromTraining;
        bool training;  // shown afterwards
    };
    const Case cases[] = {
        {"Play", &MediaSessionControls::play, false, true},
        {"PlayPause", &MediaSessionControls::playPause, false, true},
        {"Next", &MediaSessionControls::next, false, true},
        {"Previous", &MediaSessionControls::previous, false, true},
        {"Pause", &MediaSessionControls::pause, false, false},
        {"Stop", &MediaSessionControls::stop, false, false},
        {"Play on training", &MediaSessionControls::play, true, true},
    };
    TfrmMain& w = start();
    harness.course.writeJpeg(QStringLiteral("Media/menubar_training.jpg"), 10, 2);
    for (const Case& c : cases) {
        for (TImage* tab : {w.imgReHotspot, w.ImgSpHotspot}) {
            w.chooseLesson(2);
            (c.fromTraining ? w.imgTrHotspot : tab)->OnClick();
            w.imgTabset->loadPicture(harness.course.path(QStringLiteral("Media/menubar_resources.jpg")));
            (media.controls->*c.command)();
            const bool tabClicked = !c.fromTraining && c.training;
            EXPECT_EQ(w.trPanel->isVisibleTo(&w) && w.aVidPanel->isVisibleTo(&w), c.training) << c.name;
            EXPECT_EQ(w.imgTabset->picture().width(), tabClicked ? 10 : 8) << c.name;
        }
    }
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_EQ(media.state.status, Status::Playing);
}

TEST_F(DesktopSession, VolumeIsThePlayersAndIsPublished)
{
    start();
    EXPECT_EQ(media.state.volume, 1.0);
    media.controls->setVolume(0.25);
    EXPECT_EQ(harness.video->volumeValue, 0.25);
    EXPECT_EQ(media.state.volume, 0.25) << "the desktop sees the change at once";
}

}  // namespace
