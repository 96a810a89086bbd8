#include "QtWaveDevice.h"

#include <QUrl>

#include "MciError.h"
#include "WaveFile.h"

QtWaveDevice::QtWaveDevice()
{
    player_.setAudioOutput(&audio_);
    // A sound that has played to its end leaves the device stopped.
    connect(&player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia && mode_ == Playing)
            mode_ = Stopped;
    });
}

int QtWaveDevice::open(const QString& path)
{
    close();
    const int error = checkWaveFile(path);
    if (error != MciError::None)
        return error;
    player_.setSource(QUrl::fromLocalFile(path));
    mode_ = Stopped;
    return MciError::None;
}

void QtWaveDevice::close()
{
    player_.stop();
    player_.setSource(QUrl());
    mode_ = NotOpen;
}

WaveDevice::Mode QtWaveDevice::mode() const
{
    return mode_;
}

int QtWaveDevice::play()
{
    if (mode_ == NotOpen)
        return MciError::None;
    // A sound that ended starts again from its beginning.
    if (mode_ == Stopped)
        player_.setPosition(0);
    player_.play();
    mode_ = Playing;
    return MciError::None;
}

int QtWaveDevice::pause()
{
    if (mode_ == Playing) {
        player_.pause();
        mode_ = Paused;
    }
    return MciError::None;
}

int QtWaveDevice::stop()
{
    if (mode_ != NotOpen) {
        player_.stop();
        mode_ = Stopped;
    }
    return MciError::None;
}
