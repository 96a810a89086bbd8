#pragma once

#include <cstdint>
#include <functional>

#include <QObject>

// The hidden window of a timer in window-system mode: it owns one repeating
// window-system timer and turns each of its messages into a call of
// onTimerMessage. Lives on the user-interface thread and is used only there.
// Tests derive from it to drive the messages with a clock of their own.
class TimerWindow : public QObject {
public:
    TimerWindow() = default;
    ~TimerWindow() override;

    // Starts (or restarts) the repeating timer; false when the window system
    // has no timer left.
    virtual bool setTimer(std::uint32_t intervalMs);

    // Stops the timer; nothing happens when none runs.
    virtual void killTimer();

    // True while a timer message is being handled, so that the owner knows
    // it must not delete the window under its own feet.
    bool isDelivering() const { return delivering_; }

    std::function<void()> onTimerMessage;

protected:
    // Hands one timer message to onTimerMessage. Derived fakes call it too.
    void deliverTimerMessage();
    void timerEvent(QTimerEvent* event) override;

private:
    int timerId_ = 0;
    bool delivering_ = false;
};
