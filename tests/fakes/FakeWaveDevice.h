#pragma once

#include <QString>
#include <QStringList>

#include "WaveDevice.h"

// A wave device for tests: records calls ("open <path>", "close", "play",
// "pause", "stop") and returns the error codes the test sets. A successful open
// leaves it stopped; play, pause and stop move the mode like a real device.
class FakeWaveDevice : public WaveDevice {
public:
    QStringList calls;
    Mode currentMode = NotOpen;

    int openResult = 0;
    int playResult = 0;
    int pauseResult = 0;
    int stopResult = 0;

    int open(const QString& path) override
    {
        calls << QStringLiteral("open ") + path;
        currentMode = openResult == 0 ? Stopped : NotOpen;
        return openResult;
    }
    void close() override
    {
        calls << QStringLiteral("close");
        currentMode = NotOpen;
    }
    Mode mode() const override { return currentMode; }
    int play() override { return operate(QStringLiteral("play"), playResult, Playing); }
    int pause() override { return operate(QStringLiteral("pause"), pauseResult, Paused); }
    int stop() override { return operate(QStringLiteral("stop"), stopResult, Stopped); }

    int count(const QString& call) const { return int(calls.count(call)); }

private:
    int operate(const QString& name, int result, Mode after)
    {
        calls << name;
        if (result == 0 && currentMode != NotOpen)
            currentMode = after;
        return result;
    }
};
