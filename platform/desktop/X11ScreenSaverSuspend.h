#pragma once

#include "IdleInhibitor.h"

// The X server's own screen saver and display power saving, suspended while
// held: for X sessions whose desktop offers no screen-saver service on the
// bus. Under Wayland, or without a display, nothing happens. The reason is
// not given to the X server. UI thread only.
class X11ScreenSaverSuspend : public IdleInhibitor {
public:
    ~X11ScreenSaverSuspend() override;

    void hold(const QString& reason) override;
    void release() override;

private:
    void suspend(bool on);

    bool held_ = false;
};
