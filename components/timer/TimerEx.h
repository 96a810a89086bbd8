#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include <QObject>

#include "TimerWindow.h"

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TTimerEx;

// The worker of a timer in threaded mode. It sleeps Interval, then ticks, until
// it is asked to end; it frees itself when it ends (the thread holds the last
// reference). Every member is shared between the user-interface thread and the
// worker and is guarded by mutex; the worker reads the timer itself only while
// it runs a thread-safe tick, and the timer's destruction waits that out.
class TTimerThread : public std::enable_shared_from_this<TTimerThread> {
public:
    // Creates the worker paused. UI thread.
    static std::shared_ptr<TTimerThread> create(TTimerEx* timer);

    // Holds the worker before its next tick; a handed-over tick that has not
    // run yet is dropped. Waits for a tick running on the worker to finish,
    // unless called from that tick. Any thread.
    void pause();

    // Copies the settings the worker reads, applies the priority and starts a
    // fresh wait of the interval. UI thread.
    void wake(std::uint32_t intervalMs, bool threadSafe, TThreadPriority priority);

    // Asks the worker to end and never to touch its timer again. UI thread.
    void terminate();

    // Chooses where the next ticks run. Any thread.
    void setThreadSafe(bool threadSafe);

    bool isPaused() const;

private:
    explicit TTimerThread(TTimerEx* timer) : timer_(timer) {}
    void run();
    void tickOnWorker(std::unique_lock<std::mutex>& lock);
    void handTickToUiThread(std::unique_lock<std::mutex>& lock);
    void runHandedTick(std::uint64_t generation);
    bool mustStopTick(std::uint64_t generation) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    TTimerEx* timer_;
    bool paused_ = true;
    bool terminated_ = false;
    bool tickingOnWorker_ = false;
    std::uint64_t generation_ = 0;
    std::uint64_t handoversPosted_ = 0;
    std::uint64_t handoversDone_ = 0;
    std::uint32_t intervalMs_ = 0;
    bool threadSafe_ = false;
    TThreadPriority priority_ = tpNormal;
    long threadId_ = 0;
};

// A timer that calls OnTimer every Interval milliseconds, from a window-system
// timer on a hidden window of the user-interface thread or from a worker thread
// of its own. Create, change and destroy it on the user-interface thread.
class TTimerEx : public QObject {
public:
    using TNotifyEvent = std::function<void(TTimerEx* sender)>;
    using TimerWindowFactory = std::function<std::unique_ptr<TimerWindow>()>;
    enum class State { Stopped, RunningWindow, RunningThread };

    explicit TTimerEx(QObject* owner = nullptr, TimerWindowFactory windowFactory = {});
    ~TTimerEx() override;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    void setInterval(std::uint32_t value);
    bool Threaded() const { return threaded_; }
    void setThreaded(bool value);
    TThreadPriority ThreadPriority() const { return threadPriority_; }
    void setThreadPriority(TThreadPriority value);
    bool ThreadSafe() const { return threadSafe_; }
    void setThreadSafe(bool value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void setOnTimer(TNotifyEvent handler);

    // Where ticks come from now.
    State state() const;

    // One tick: calls OnTimer when Enabled is set and OnTimer assigned.
    void Tick();

private:
    void updateTimer();
    void pauseWorker();
    void releaseWindow();
    void endWorker();
    bool mayRun() const;
    void tickReportingErrors();

    bool enabled_ = true;
    std::uint32_t interval_ = 1000;
    bool threaded_ = false;
    TThreadPriority threadPriority_ = tpNormal;
    bool threadSafe_ = false;
    TNotifyEvent onTimer_;
    bool windowTimerRunning_ = false;
    TimerWindowFactory windowFactory_;
    std::unique_ptr<TimerWindow> window_;
    std::shared_ptr<TTimerThread> thread_;

    friend class TTimerThread;
};
