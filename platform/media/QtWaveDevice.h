#pragma once

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>

#include "WaveDevice.h"

// The wave device on Qt Multimedia. The file is checked when it is opened, so
// that a file the device cannot play fails there, as the bar expects.
class QtWaveDevice : public QObject, public WaveDevice {
    Q_OBJECT

public:
    QtWaveDevice();

    int open(const QString& path) override;
    void close() override;
    Mode mode() const override;
    int play() override;
    int pause() override;
    int stop() override;

private:
    QMediaPlayer player_;
    QAudioOutput audio_;
    Mode mode_ = NotOpen;
};
