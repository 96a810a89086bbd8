#include <cmath>
#include <functional>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "AppError.h"
#include "MpvLibrary.h"
#include "MpvVideoControl.h"
#include "MpvWaveDevice.h"
#include "PlayerTesting.h"
#include "TestApplication.h"

namespace {

// A library of its own per case, so that each control starts before its
// library has loaded and what it is asked first has to wait for it. The
// state reads at once as what the clip will do, and holds once it is open.
TEST(MpvLibrary, WhatIsAskedBeforeThePlayerStartsIsDoneInOrderOnceItHas)
{
    testApplication();
    QTemporaryDir folder;
    const QString clip = folder.filePath("clip.avi");
    if (!makeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "3", "-c:v", "mpeg4", clip}))
        GTEST_SKIP() << "ffmpeg could not make the test clip";
    using Control = MpvVideoControl;
    const struct {
        const char* name;
        std::function<void(Control&)> asked;
        VideoControl::PlayState state;
        double position;
    } cases[] = {
        {"seek, pause and speed", [](Control& c) { c.setPosition(1.5); c.pause(); c.setSpeed(2.0); },
         VideoControl::Paused, 1.5},
        {"pause", [](Control& c) { c.pause(); }, VideoControl::Paused, 0.0},
        {"stop", [](Control& c) { c.stop(); }, VideoControl::Stopped, 0.0},
        {"stop, then a seek", [](Control& c) { c.stop(); c.setPosition(2.0); }, VideoControl::Stopped, 2.0},
        {"a seek, then stop", [](Control& c) { c.setPosition(2.0); c.stop(); }, VideoControl::Stopped, 0.0},
        {"pause, then play", [](Control& c) { c.pause(); c.play(); }, VideoControl::Waiting, -1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MpvLibrary library("libmpv.so.2");
        MpvVideoControl control(library);
        control.open(clip);
        c.asked(control);
        EXPECT_EQ(control.playState(), c.state) << "before the player is up";
        ASSERT_TRUE(waitFor([&] { return control.duration() > 0; }, 20000)) << "the clip was never opened";
        const auto expected = c.state == VideoControl::Waiting ? VideoControl::Playing : c.state;
        EXPECT_TRUE(waitFor([&] { return control.playState() == expected; }, 5000)) << control.playState();
        waitFor([] { return false; }, 400);
        EXPECT_EQ(control.playState(), expected) << "what was asked last stays";
        if (c.position >= 0.0)
            EXPECT_NEAR(control.position(), c.position, 0.15);
        else
            EXPECT_GT(control.position(), 0.2) << "it plays";
    }
}

// Without the library, clips fail as ones that cannot be played, and sounds
// stay silent: nothing crashes.
TEST(MpvLibrary, WithoutTheLibraryEveryClipFailsToOpen)
{
    testApplication();
    MpvLibrary missing("libtovrelle-no-such-player.so.2");
    MpvVideoControl control(missing);
    MpvWaveDevice sound(missing);
    QStringList told;
    control.setOpenFailureHandler([&](const QString& message) { told << message; });
    for (const QString& path : {QStringLiteral("/first.avi"), QStringLiteral("/second.avi")}) {
        told.clear();
        control.open(path);  // the first before the load has failed, the second after
        ASSERT_TRUE(waitFor([&] { return !told.isEmpty(); }, 5000)) << path.toStdString();
        EXPECT_TRUE(told.first().startsWith("The video " + path + " cannot be played")) << told.first().toStdString();
        EXPECT_TRUE(told.first().contains("libtovrelle-no-such-player.so.2")) << told.first().toStdString();
        EXPECT_EQ(control.playState(), VideoControl::Closed);
        EXPECT_THROW(control.play(), AppError);
    }
    EXPECT_EQ(sound.play(), 0);
    EXPECT_EQ(sound.stop(), 0);
    EXPECT_FALSE(missing.failure().isEmpty());
}

}  // namespace
