#include <memory>

#include <gtest/gtest.h>

#include "ActiveMovie.h"
#include "AppError.h"
#include "FakeVideoControl.h"
#include "TestApplication.h"

namespace {

class ActiveMovieTest : public ::testing::Test {
protected:
    ActiveMovieTest()
    {
        auto fake = std::make_unique<FakeVideoControl>();
        control = fake.get();
        movie = std::make_unique<TActiveMovie>(&parent, std::move(fake));
    }

    QApplication& app = testApplication();
    QWidget parent;
    FakeVideoControl* control;
    std::unique_ptr<TActiveMovie> movie;
};

TEST_F(ActiveMovieTest, FileNameReadsBackExactlyAsWrittenAndOpensEachTime)
{
    const QString path = "/Course/Media/VID_00.avi";
    movie->setFileName(path);
    EXPECT_EQ(movie->FileName(), path);
    movie->setFileName(path);
    EXPECT_EQ(control->openedPaths, QStringList({path, path})) << "writing the same name opens it again";
    // A name that does not exist still reads back as written.
    movie->setFileName("/nowhere/vid_01.avi");
    EXPECT_EQ(movie->FileName(), "/nowhere/vid_01.avi");
    EXPECT_EQ(movie->PlayState(), VideoControl::Playing) << "opening starts the clip";
}

// A clip that is still opening is about to play: a pause then holds it too.
TEST_F(ActiveMovieTest, PauseIsSentOnlyWhilePlayingOrAboutToPlay)
{
    for (auto state : {VideoControl::Closed, VideoControl::Stopped, VideoControl::Paused}) {
        control->state = state;
        movie->Pause();
    }
    EXPECT_EQ(control->count("pause"), 0);
    for (auto state : {VideoControl::Playing, VideoControl::Waiting}) {
        control->state = state;
        movie->Pause();
        EXPECT_EQ(movie->PlayState(), VideoControl::Paused);
    }
    EXPECT_EQ(control->count("pause"), 2);
}

TEST_F(ActiveMovieTest, FailuresOfTheOperationsRaise)
{
    control->playFailure = "play failed";
    control->stopFailure = "stop failed";
    EXPECT_THROW(movie->Play(), AppError);
    EXPECT_THROW(movie->Stop(), AppError);
}

TEST_F(ActiveMovieTest, FullScreenModeTurnsOnTheDisplayEveryTimeItIsSet)
{
    EXPECT_FALSE(movie->FullScreenMode());
    EXPECT_NE(movie->DisplaySize(), TActiveMovie::FullScreenDisplay);
    movie->setFullScreenMode(true);
    EXPECT_TRUE(movie->FullScreenMode());
    EXPECT_EQ(movie->DisplaySize(), TActiveMovie::FullScreenDisplay);

    control->simulateLeaveFullScreen();  // the user pressed Esc
    EXPECT_FALSE(movie->FullScreenMode());
    EXPECT_EQ(movie->DisplaySize(), 0);
    movie->setFullScreenMode(true);
    EXPECT_EQ(control->count("fullscreen on"), 2) << "a second double-click must show it again";

    movie->setDisplaySize(0);
    EXPECT_FALSE(control->fullScreen);
}

TEST_F(ActiveMovieTest, MouseEventsOfTheControlReachTheWindowsHandlers)
{
    control->simulateMouseUp(Qt::LeftButton);  // no handler bound yet: nothing happens
    QString seen;
    movie->OnMouseUp = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
        seen += QString("up %1 %2 %3 %4;").arg(int(button)).arg(int(modifiers)).arg(x).arg(y);
    };
    movie->OnDblClick = [&] { seen += "dbl;"; };
    control->simulateMouseUp(Qt::MiddleButton, 7, 9, Qt::ControlModifier);
    control->simulateDoubleClick();
    EXPECT_EQ(seen, QString("up %1 %2 7 9;dbl;").arg(int(Qt::MiddleButton)).arg(int(Qt::ControlModifier)));
}

TEST_F(ActiveMovieTest, SurfaceFillsTheComponentAsItIsResized)
{
    parent.show();
    EXPECT_EQ(control->surface()->parentWidget(), movie.get());
    movie->setGeometry(1, 1, 910, 682);
    EXPECT_EQ(control->surface()->geometry(), QRect(0, 0, 910, 682));
}

}  // namespace
