#pragma once

#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

// Runs the event loop until done() holds or ms pass; says whether it holds.
inline bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Makes a clip with ffmpeg from these arguments; says whether it did.
inline bool makeClip(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-loglevel", "error", "-nostdin", "-y"} + arguments);
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}
