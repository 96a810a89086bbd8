#include "MpvWaveDevice.h"

#include "MciError.h"
#include "WaveFile.h"

MpvWaveDevice::MpvWaveDevice(MpvLibrary& library)
    : mpv_({
          {"vid", "no"},
          {"idle", "yes"},
      }, library)
{
    mpv_.setEventHandler([this](const mpv_event& event) { handleEvent(event); });
}

// A sound that has played to its end leaves the device stopped.
void MpvWaveDevice::handleEvent(const mpv_event& event)
{
    if (event.event_id != MPV_EVENT_END_FILE || mode_ != Playing)
        return;
    if (static_cast<const mpv_event_end_file*>(event.data)->reason == MPV_END_FILE_REASON_EOF)
        mode_ = Stopped;
}

int MpvWaveDevice::open(const QString& path)
{
    close();
    const int error = checkWaveFile(path);
    if (error != MciError::None)
        return error;
    path_ = path;
    mode_ = Stopped;
    return MciError::None;
}

void MpvWaveDevice::close()
{
    stop();
    path_.clear();
    mode_ = NotOpen;
}

WaveDevice::Mode MpvWaveDevice::mode() const
{
    return mode_;
}

// A stopped sound starts again from its beginning.
int MpvWaveDevice::play()
{
    if (mode_ == NotOpen)
        return MciError::None;
    mpv_.setFlag("pause", false);
    if (mode_ == Stopped)
        mpv_.command({QStringLiteral("loadfile"), path_});
    mode_ = Playing;
    return MciError::None;
}

int MpvWaveDevice::pause()
{
    if (mode_ == Playing) {
        mpv_.setFlag("pause", true);
        mode_ = Paused;
    }
    return MciError::None;
}

int MpvWaveDevice::stop()
{
    if (mode_ != NotOpen) {
        mpv_.command({QStringLiteral("stop")});
        mode_ = Stopped;
    }
    return MciError::None;
}
