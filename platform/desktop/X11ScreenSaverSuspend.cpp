#include "X11ScreenSaverSuspend.h"

#include <QGuiApplication>

#include <X11/extensions/scrnsaver.h>

X11ScreenSaverSuspend::~X11ScreenSaverSuspend()
{
    release();
}

void X11ScreenSaverSuspend::hold(const QString&)
{
    if (!held_)
        suspend(true);
}

void X11ScreenSaverSuspend::release()
{
    if (held_)
        suspend(false);
}

// The server counts suspensions per client, so each hold is given back once.
void X11ScreenSaverSuspend::suspend(bool on)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase))
        return;
    XScreenSaverSuspend(display, on ? True : False);
    XFlush(display);
    held_ = on;
}
