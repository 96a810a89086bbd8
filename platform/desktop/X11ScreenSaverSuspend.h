#pragma once

#include "IdleInhibitor.h"

// The X server's own screen saver and display power saving, suspended while
// held, beside whatever service of the bus answers: an X session's bus may
// offer a service that fails, or one the X server does not heed. Under
// Wayland, or without a display, nothing happens. The reason is not given to
// the X server. UI thread only.
class X11ScreenSaverSuspend : public IdleInhibitor {
public:
    ~X11ScreenSaverSuspend() override;

    void hold(const QString& reason) override;
    void release() override;

private:
    void suspend(bool on);

    bool held_ = false;
};
