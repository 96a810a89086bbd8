#include "TimerEx.h"

#include <chrono>
#include <exception>
#include <thread>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaObject>

#include "AppError.h"
#include "ErrorReporting.h"

namespace {

// Linux has no thread priorities for ordinary threads, only the scheduling
// policy and a nice value per thread. Idle becomes the idle policy; the other
// levels are nice steps around the process's own nice value. Raising above the
// process needs a privilege; without it the thread keeps the process's level.
void applyThreadPriority(long threadId, TThreadPriority priority)
{
    if (threadId == 0)
        return;
    sched_param param{};
    if (priority == tpIdle) {
        sched_setscheduler(static_cast<pid_t>(threadId), SCHED_IDLE, &param);
        return;
    }
    sched_setscheduler(static_cast<pid_t>(threadId), SCHED_OTHER, &param);
    static const int niceSteps[] = {0, 10, 5, 0, -5, -10, -20};
    const int base = getpriority(PRIO_PROCESS, 0);
    int nice = base + niceSteps[priority];
    nice = nice < -20 ? -20 : (nice > 19 ? 19 : nice);
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), nice) != 0 && nice < base)
        setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), base);
}

// Shows an error caught on the worker the way the application shows errors,
// on the user-interface thread.
void reportOnUiThread(std::exception_ptr error)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(app, [error] {
        try {
            std::rethrow_exception(error);
        } catch (...) {
            ErrorReporting::reportCurrentException();
        }
    }, Qt::QueuedConnection);
}

}  // namespace

// ---- TTimerThread ----------------------------------------------------------

std::shared_ptr<TTimerThread> TTimerThread::create(TTimerEx* timer)
{
    std::shared_ptr<TTimerThread> worker(new TTimerThread(timer));
    // The thread keeps its own reference: it frees the worker when it ends.
    std::thread([self = worker] { self->run(); }).detach();
    return worker;
}

void TTimerThread::pause()
{
    std::unique_lock lock(mutex_);
    paused_ = true;
    changed_.notify_all();
    if (threadId_ != static_cast<long>(syscall(SYS_gettid)))
        changed_.wait(lock, [this] { return !tickingOnWorker_; });
}

void TTimerThread::wake(std::uint32_t intervalMs, bool threadSafe, TThreadPriority priority)
{
    std::lock_guard lock(mutex_);
    intervalMs_ = intervalMs;
    threadSafe_ = threadSafe;
    if (priority != priority_) {
        priority_ = priority;
        applyThreadPriority(threadId_, priority_);
    }
    paused_ = false;
    ++generation_;
    changed_.notify_all();
}

void TTimerThread::terminate()
{
    std::unique_lock lock(mutex_);
    terminated_ = true;
    timer_ = nullptr;
    changed_.notify_all();
    if (threadId_ != static_cast<long>(syscall(SYS_gettid)))
        changed_.wait(lock, [this] { return !tickingOnWorker_; });
}

void TTimerThread::setThreadSafe(bool threadSafe)
{
    std::lock_guard lock(mutex_);
    threadSafe_ = threadSafe;
}

bool TTimerThread::isPaused() const
{
    std::lock_guard lock(mutex_);
    return paused_;
}

// The worker's loop: sleep Interval, then tick, until asked to end. A pause or
// a wake during the sleep starts the wait again from the wake.
void TTimerThread::run()
{
    std::unique_lock lock(mutex_);
    threadId_ = static_cast<long>(syscall(SYS_gettid));
    applyThreadPriority(threadId_, priority_);
    while (!terminated_) {
        if (paused_) {
            changed_.wait(lock);
            continue;
        }
        const std::uint64_t generation = generation_;
        const bool disturbed = changed_.wait_for(lock, std::chrono::milliseconds(intervalMs_),
            [&] { return terminated_ || paused_ || generation_ != generation; });
        if (disturbed)
            continue;
        if (threadSafe_)
            tickOnWorker(lock);
        else
            handTickToUiThread(lock);
    }
}

// A thread-safe tick, run on the worker itself. Called with the lock held.
void TTimerThread::tickOnWorker(std::unique_lock<std::mutex>& lock)
{
    tickingOnWorker_ = true;
    TTimerEx* timer = timer_;
    lock.unlock();
    try {
        timer->Tick();
    } catch (...) {
        reportOnUiThread(std::current_exception());
    }
    lock.lock();
    tickingOnWorker_ = false;
    changed_.notify_all();
}

// Posts the tick to the user-interface thread and waits until it has run
// there, or was dropped, or the worker is asked to end. Called with the lock held.
void TTimerThread::handTickToUiThread(std::unique_lock<std::mutex>& lock)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    const std::uint64_t ticket = ++handoversPosted_;
    const std::uint64_t generation = generation_;
    QMetaObject::invokeMethod(app, [self = shared_from_this(), generation] {
        self->runHandedTick(generation);
    }, Qt::QueuedConnection);
    changed_.wait(lock, [&] { return terminated_ || handoversDone_ >= ticket; });
}

bool TTimerThread::mustStopTick(std::uint64_t generation) const
{
    return terminated_ || paused_ || timer_ == nullptr || generation_ != generation;
}

// Runs a handed-over tick on the user-interface thread, unless the timer was
// changed or destroyed since it was posted. The tick may destroy the timer.
void TTimerThread::runHandedTick(std::uint64_t generation)
{
    std::unique_lock lock(mutex_);
    TTimerEx* timer = mustStopTick(generation) ? nullptr : timer_;
    lock.unlock();
    if (timer)
        timer->tickReportingErrors();
    lock.lock();
    ++handoversDone_;
    changed_.notify_all();
}

// ---- TTimerEx --------------------------------------------------------------

TTimerEx::TTimerEx(QObject* owner, TimerWindowFactory windowFactory)
    : QObject(owner), windowFactory_(std::move(windowFactory))
{
    if (!windowFactory_)
        windowFactory_ = [] { return std::make_unique<TimerWindow>(); };
    updateTimer();
}

// Stops the timer for good: after this no tick comes and the worker never
// reads this timer again.
TTimerEx::~TTimerEx()
{
    enabled_ = false;
    try {
        updateTimer();
    } catch (...) {
        ErrorReporting::reportCurrentException();
    }
    endWorker();
    releaseWindow();
}

void TTimerEx::setEnabled(bool value)
{
    if (value == enabled_)
        return;
    pauseWorker();
    enabled_ = value;
    updateTimer();
}

void TTimerEx::setInterval(std::uint32_t value)
{
    if (value == interval_)
        return;
    pauseWorker();
    interval_ = value;
    updateTimer();
}

void TTimerEx::setThreaded(bool value)
{
    if (value == threaded_)
        return;
    pauseWorker();
    threaded_ = value;
    updateTimer();
}

void TTimerEx::setThreadPriority(TThreadPriority value)
{
    if (value == threadPriority_)
        return;
    threadPriority_ = value;
    if (threaded_)
        updateTimer();
}

void TTimerEx::setThreadSafe(bool value)
{
    threadSafe_ = value;
    if (thread_)
        thread_->setThreadSafe(value);
}

void TTimerEx::setOnTimer(TNotifyEvent handler)
{
    pauseWorker();
    onTimer_ = std::move(handler);
    updateTimer();
}

TTimerEx::State TTimerEx::state() const
{
    if (windowTimerRunning_)
        return State::RunningWindow;
    if (thread_ && !thread_->isPaused())
        return State::RunningThread;
    return State::Stopped;
}

void TTimerEx::Tick()
{
    if (!enabled_ || !onTimer_)
        return;
    // The handler may destroy this timer: it runs from a copy, and nothing of
    // the timer is touched after it.
    const TNotifyEvent handler = onTimer_;
    handler(this);
}

// A tick on the user-interface thread: an error is shown and the timer goes on.
void TTimerEx::tickReportingErrors()
{
    try {
        Tick();
    } catch (...) {
        ErrorReporting::reportCurrentException();
    }
}

bool TTimerEx::mayRun() const
{
    return interval_ != 0 && enabled_ && onTimer_;
}

// Brings the tick source in line with the settings: exactly one of the hidden
// window and the worker exists, and it runs only when the timer may run.
void TTimerEx::updateTimer()
{
    pauseWorker();
    if (window_) {
        window_->killTimer();
        windowTimerRunning_ = false;
    }
    if (threaded_) {
        releaseWindow();
        if (!thread_)
            thread_ = TTimerThread::create(this);
    } else {
        endWorker();
        if (!window_) {
            window_ = windowFactory_();
            window_->onTimerMessage = [this] { tickReportingErrors(); };
        }
    }
    if (!mayRun())
        return;
    if (threaded_) {
        thread_->wake(interval_, threadSafe_, threadPriority_);
    } else if (window_->setTimer(interval_)) {
        windowTimerRunning_ = true;
    } else {
        throw AppError(QStringLiteral("No More Timers Available"));
    }
}

void TTimerEx::pauseWorker()
{
    if (thread_)
        thread_->pause();
}

// Asks the worker to end and forgets it; it frees itself.
void TTimerEx::endWorker()
{
    if (!thread_)
        return;
    thread_->terminate();
    thread_.reset();
}

// Releases the hidden window; when it is handing over a message right now it
// is deleted once that has returned.
void TTimerEx::releaseWindow()
{
    if (!window_)
        return;
    window_->killTimer();
    window_->onTimerMessage = nullptr;
    windowTimerRunning_ = false;
    if (window_->isDelivering())
        window_.release()->deleteLater();
    else
        window_.reset();
}
