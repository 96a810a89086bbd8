#pragma once

#include <QString>

// The sound device behind the button bar: one wave file at a time. UI thread only.
class WaveDevice {
public:
    enum Mode { NotOpen, Stopped, Playing, Paused };

    virtual ~WaveDevice() = default;

    // Opens the wave file at a native path, closing any file open before.
    // Returns 0, or the multimedia error code of the failure (see MciError.h);
    // a failed open leaves the device closed.
    virtual int open(const QString& path) = 0;
    virtual void close() = 0;
    virtual Mode mode() const = 0;
    bool isOpen() const { return mode() != NotOpen; }

    // Each acts only while the device is open and returns 0 or an error code.
    virtual int play() = 0;
    virtual int pause() = 0;
    virtual int stop() = 0;
};
