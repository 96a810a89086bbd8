#pragma once

#include <QString>

// What the desktop's media controls (panels, media keys, a headset's button)
// show of the player. Lengths are in the clip's own seconds.
struct MediaSessionState {
    enum class Status { Stopped, Playing, Paused };

    Status status = Status::Stopped;
    QString trackId;  // a D-Bus object path naming the clip; empty when none is open
    QString title;
    QString album;
    double length = 0.0;
    double rate = 1.0;
    double minimumRate = 1.0;
    double maximumRate = 1.0;
    double volume = 1.0;  // 0 silent to 1 as recorded
    bool canGoNext = false;
    bool canGoPrevious = false;

    bool operator==(const MediaSessionState&) const = default;
};

// What the desktop may ask of the player. Positions are in the clip's own
// seconds. Called on the UI thread.
class MediaSessionControls {
public:
    virtual ~MediaSessionControls() = default;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    virtual double position() const = 0;
    virtual void setPosition(double seconds) = 0;
    virtual void setRate(double rate) = 0;
    virtual void setVolume(double level) = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
};

// The player as the desktop sees it. The controls are asked only between
// setControls(controls) and setControls(nullptr). UI thread only.
class MediaSession {
public:
    virtual ~MediaSession() = default;

    virtual void setControls(MediaSessionControls* controls) = 0;

    // Tells the desktop what changed since the last state published.
    virtual void publish(const MediaSessionState& state) = 0;

    // The position jumped, by a seek of any origin.
    virtual void seeked(double seconds) = 0;
};
