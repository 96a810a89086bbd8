#pragma once

#include "MpvHandle.h"
#include "WaveDevice.h"

// The wave device on a player core of its own that plays sound only. The file
// is checked when it is opened, so that a file the device cannot play fails
// there, as the bar expects.
class MpvWaveDevice : public WaveDevice {
public:
    explicit MpvWaveDevice(MpvLibrary& library = MpvLibrary::shared());

    int open(const QString& path) override;
    void close() override;
    Mode mode() const override;
    int play() override;
    int pause() override;
    int stop() override;

private:
    void handleEvent(const mpv_event& event);

    MpvHandle mpv_;
    QString path_;
    Mode mode_ = NotOpen;
};
