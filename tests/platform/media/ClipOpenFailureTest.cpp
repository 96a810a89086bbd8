#include <chrono>
#include <thread>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "ClipOpenFailure.h"
#include "PlayerTesting.h"
#include "TestApplication.h"

namespace {

using Cause = ClipOpenFailure::Cause;

// What the probe tells, on the thread it tells it on; empty when untold in time.
QString probed(ClipOpenFailureProbe& probe, const QString& path, Cause cause, bool* onUiThread = nullptr)
{
    QString told;
    probe.probe(path, cause, QString(), [&](const QString& message) {
        told = message;
        if (onUiThread)
            *onUiThread = QThread::currentThread() == qApp->thread();
    });
    waitFor([&] { return !told.isEmpty(); }, 5000);
    return told;
}

// The file decides the words, whatever it is; nothing named like a clip
// keeps the probe waiting, a pipe with no writer or one that never writes.
TEST(ClipOpenFailureProbe, TheFileItselfDecidesTheWordsWithoutWaitingOnIt)
{
    testApplication();
    QTemporaryDir folder;
    auto path = [&](const char* name) { return folder.filePath(QString::fromLatin1(name)); };
    QFile damaged(path("damaged.avi"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("RIFF") == 4);
    damaged.close();
    for (const char* pipe : {"pipe.avi", "silent-pipe.avi"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(pipe)).constData(), 0600), 0);
    const int writer = ::open(QFile::encodeName(path("silent-pipe.avi")).constData(), O_RDWR);
    QDir().mkdir(path("folder.avi"));
    const struct {
        const char* name;
        Cause cause;
        const char* words;
    } cases[] = {
        {"missing.avi", Cause::NotLoaded, "The video file %1 cannot be found."},
        {"damaged.avi/vid_01.avi", Cause::NotLoaded, "The video file %1 cannot be found."},
        {"damaged.avi", Cause::NotLoaded, "The file %1 is damaged or is not a video."},
        {"pipe.avi", Cause::NotLoaded, "The file %1 is damaged or is not a video."},
        {"silent-pipe.avi", Cause::NotLoaded, "The file %1 is damaged or is not a video."},
        {"folder.avi", Cause::NotLoaded, "The file %1 is damaged or is not a video."},
        {"damaged.avi", Cause::NoPicture, "The video %1 is in a format that cannot be played."},
        {"missing.avi", Cause::NoPlayer, "The video %1 cannot be played, as the video player could not be started."},
    };
    ClipOpenFailureProbe probe;
    for (const auto& c : cases) {
        bool onUiThread = false;
        EXPECT_EQ(probed(probe, path(c.name), c.cause, &onUiThread), QString::fromLatin1(c.words).arg(path(c.name)))
            << c.name;
        EXPECT_TRUE(onUiThread) << c.name;
    }
    ::close(writer);
}

// A probe gone before its answer tells no one; its thread ends on its own.
TEST(ClipOpenFailureProbe, AProbeGoneTellsNoOne)
{
    testApplication();
    bool told = false;
    {
        ClipOpenFailureProbe probe;
        probe.probe(QStringLiteral("/nowhere/vid_01.avi"), Cause::NotLoaded, QString(), [&](const QString&) { told = true; });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // its answer is posted meanwhile
    }
    waitFor([] { return false; }, 200);
    EXPECT_FALSE(told);
}

}  // namespace
