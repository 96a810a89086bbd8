#include <cmath>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "AppError.h"
#include "MpvLibrary.h"
#include "MpvVideoControl.h"
#include "MpvWaveDevice.h"
#include "PlayerTesting.h"
#include "TestApplication.h"

namespace {

// A library of its own per test, so that each control starts before its
// library has loaded and what it is asked first has to wait for it.
TEST(MpvLibrary, WhatIsAskedBeforeThePlayerStartsIsDoneInOrderOnceItHas)
{
    testApplication();
    QTemporaryDir folder;
    const QString clip = folder.filePath("clip.avi");
    if (!makeClip({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "3", "-c:v", "mpeg4", clip}))
        GTEST_SKIP() << "ffmpeg could not make the test clip";
    MpvLibrary library("libmpv.so.2");
    MpvVideoControl control(library);
    control.open(clip);
    control.setPosition(1.5);
    control.pause();
    control.setSpeed(2.0);
    EXPECT_EQ(control.playState(), VideoControl::Paused);
    ASSERT_TRUE(waitFor([&] { return control.duration() > 0; }, 20000)) << "the clip was never opened";
    EXPECT_TRUE(waitFor([&] { return std::abs(control.position() - 1.5) < 0.15; }, 5000)) << control.position();
    waitFor([] { return false; }, 300);
    EXPECT_EQ(control.playState(), VideoControl::Paused) << "the pause came after the open, and stays";
    EXPECT_NEAR(control.position(), 1.5, 0.15);
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
