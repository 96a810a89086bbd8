#pragma once

#include <QDBusConnection>
#include <QObject>

#include "MediaSession.h"

// The player on the session bus as an MPRIS 2 media player, the interface
// through which desktop panels, media keys and headset buttons reach players:
// org.mpris.MediaPlayer2.tovrelle at /org/mpris/MediaPlayer2 (a second
// running program takes a name of its own). Without a session bus nothing is
// offered and nothing fails. UI thread only.
class MprisService : public QObject, public MediaSession {
    Q_OBJECT

public:
    explicit MprisService(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~MprisService() override;

    void setControls(MediaSessionControls* controls) override;
    void publish(const MediaSessionState& state) override;
    void seeked(double seconds) override;

    // For the adaptors: what was published last, and the player's controls
    // (null while none are set).
    const MediaSessionState& state() const { return state_; }
    MediaSessionControls* controls() const { return controls_; }

private:
    QDBusConnection bus_;
    QString serviceName_;  // empty while not registered
    MediaSessionState state_;
    MediaSessionControls* controls_ = nullptr;
    class MprisPlayerAdaptor* player_ = nullptr;
};
