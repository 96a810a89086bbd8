#include "TimerWindow.h"

#include <algorithm>
#include <climits>

#include <QTimerEvent>

TimerWindow::~TimerWindow()
{
    TimerWindow::killTimer();
}

bool TimerWindow::setTimer(std::uint32_t intervalMs)
{
    killTimer();
    // The window system caps long intervals instead of refusing them.
    const auto capped = static_cast<int>(std::min<std::uint32_t>(intervalMs, INT_MAX));
    timerId_ = startTimer(capped, Qt::PreciseTimer);
    return timerId_ != 0;
}

void TimerWindow::killTimer()
{
    if (timerId_ != 0)
        QObject::killTimer(timerId_);
    timerId_ = 0;
}

void TimerWindow::deliverTimerMessage()
{
    if (!onTimerMessage)
        return;
    delivering_ = true;
    // The handler may release this window (it is then deleted later), so
    // nothing of it is touched after the call but the flag.
    const auto handler = onTimerMessage;
    handler();
    delivering_ = false;
}

void TimerWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timerId_)
        deliverTimerMessage();
}
