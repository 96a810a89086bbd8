#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>

#include "AppError.h"
#include "Clock.h"
#include "ErrorReporting.h"
#include "TimerEx.h"

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "timer_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Pumps events until the condition holds; the limit is generous and only
// keeps a broken build from hanging.
bool waitFor(const std::function<bool()>& condition)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > 20000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Pumps events for a while, for checks that something does NOT happen.
void pumpFor(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class ManualClock : public Clock {
public:
    std::int64_t tickCountMs() const override { return now; }
    std::int64_t now = 0;
};

// A hidden window whose timer messages come from a hand-driven clock.
class ManualTimerWindow : public TimerWindow {
public:
    explicit ManualTimerWindow(ManualClock& clock) : clock_(clock) {}
    bool setTimer(std::uint32_t intervalMs) override
    {
        if (refuse)
            return false;
        running_ = true;
        interval_ = intervalMs;
        dueAt_ = clock_.now + intervalMs;
        return true;
    }
    void killTimer() override { running_ = false; }
    void catchUp()
    {
        while (running_ && dueAt_ <= clock_.now) {
            dueAt_ += interval_;
            deliverTimerMessage();
        }
    }
    bool refuse = false;

private:
    ManualClock& clock_;
    bool running_ = false;
    std::uint32_t interval_ = 0;
    std::int64_t dueAt_ = 0;
};

class RecordingBox : public ErrorBox {
public:
    void showError(const QString&, const QString& text) override { texts << text; }
    QStringList texts;
};

class TimerWindowMode : public ::testing::Test {
protected:
    void SetUp() override { app(); }

    std::unique_ptr<TTimerEx> makeTimer(bool refuse = false)
    {
        return std::make_unique<TTimerEx>(nullptr, [this, refuse] {
            auto window = std::make_unique<ManualTimerWindow>(clock);
            window->refuse = refuse;
            lastWindow = window.get();
            ++windowsMade;
            return window;
        });
    }
    void advance(std::int64_t ms)
    {
        for (std::int64_t i = 0; i < ms; ++i) {
            ++clock.now;
            lastWindow->catchUp();
        }
    }

    ManualClock clock;
    ManualTimerWindow* lastWindow = nullptr;
    int windowsMade = 0;
    int ticks = 0;
};

TEST_F(TimerWindowMode, NewTimerWaitsForAHandlerThenRepeatsEveryInterval)
{
    auto timer = makeTimer();
    EXPECT_EQ(timer->state(), TTimerEx::State::Stopped);

    TTimerEx* sender = nullptr;
    timer->setOnTimer([&](TTimerEx* s) { sender = s; ++ticks; });
    EXPECT_EQ(timer->state(), TTimerEx::State::RunningWindow);
    advance(999);
    EXPECT_EQ(ticks, 0);
    advance(1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(sender, timer.get());
    advance(3000);
    EXPECT_EQ(ticks, 4);
}

TEST_F(TimerWindowMode, IntervalZeroOrDisabledGivesNoTicks)
{
    auto timer = makeTimer();
    timer->setOnTimer([&](TTimerEx*) { ++ticks; });
    timer->setInterval(0);
    EXPECT_EQ(timer->state(), TTimerEx::State::Stopped);
    advance(5000);
    timer->setInterval(100);
    timer->setEnabled(false);
    advance(5000);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(timer->state(), TTimerEx::State::Stopped);
    timer->Tick();
    EXPECT_EQ(ticks, 0) << "a tick calls OnTimer only while Enabled";
}

TEST_F(TimerWindowMode, ReenablingWaitsAFullInterval)
{
    auto timer = makeTimer();
    timer->setInterval(100);
    timer->setOnTimer([&](TTimerEx*) { ++ticks; });
    advance(50);
    timer->setEnabled(false);
    advance(200);
    timer->setEnabled(true);
    advance(99);
    EXPECT_EQ(ticks, 0);
    advance(1);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerWindowMode, SameIntervalKeepsTheWaitAnotherRestartsIt)
{
    auto timer = makeTimer();
    timer->setInterval(100);
    timer->setOnTimer([&](TTimerEx*) { ++ticks; });
    advance(60);
    timer->setInterval(100);
    advance(40);
    EXPECT_EQ(ticks, 1);
    advance(60);
    timer->setInterval(200);
    advance(199);
    EXPECT_EQ(ticks, 1);
    advance(1);
    EXPECT_EQ(ticks, 2);
}

TEST_F(TimerWindowMode, ErrorInHandlerIsReportedAndTimerGoesOn)
{
    RecordingBox box;
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    auto timer = makeTimer();
    timer->setInterval(10);
    timer->setOnTimer([&](TTimerEx*) {
        ++ticks;
        throw AppError(QStringLiteral("Banner broken"));
    });
    advance(30);
    ErrorReporting::install(nullptr, QString());
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(box.texts.size(), 3);
    EXPECT_EQ(box.texts[0], QStringLiteral("Banner broken."));
}

TEST_F(TimerWindowMode, NoTimerLeftFailsAndStaysStopped)
{
    auto timer = makeTimer(/*refuse=*/true);
    try {
        timer->setOnTimer([&](TTimerEx*) { ++ticks; });
        FAIL() << "expected an error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("No More Timers Available"));
    }
    EXPECT_EQ(timer->state(), TTimerEx::State::Stopped);
}

TEST_F(TimerWindowMode, HandlerMayDestroyItsOwnTimer)
{
    auto timer = makeTimer();
    timer->setInterval(10);
    timer->setOnTimer([&](TTimerEx*) {
        ++ticks;
        timer.reset();
    });
    ManualTimerWindow* window = lastWindow;
    clock.now += 10;
    window->catchUp();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(TimerRealWindow, TicksOnTheUiThreadUntilStopped)
{
    app();
    TTimerEx timer;
    int ticks = 0;
    const auto uiThread = std::this_thread::get_id();
    bool allOnUi = true;
    timer.setInterval(5);
    timer.setOnTimer([&](TTimerEx*) {
        ++ticks;
        allOnUi = allOnUi && std::this_thread::get_id() == uiThread;
    });
    EXPECT_TRUE(waitFor([&] { return ticks >= 3; }));
    EXPECT_TRUE(allOnUi);
    timer.setEnabled(false);
    const int stoppedAt = ticks;
    pumpFor(30);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(TimerRealWindow, ThreadWithoutEventLoopHasNoTimerToGive)
{
    app();
    QString failure;
    std::thread([&] {
        TTimerEx timer;
        try {
            timer.setOnTimer([](TTimerEx*) {});
        } catch (const AppError& error) {
            failure = error.text();
        }
    }).join();
    EXPECT_EQ(failure, QStringLiteral("No More Timers Available"));
}

class TimerThreadMode : public ::testing::Test {
protected:
    void SetUp() override { app(); }
};

TEST_F(TimerThreadMode, HandsTicksToTheUiThreadUnlessThreadSafe)
{
    TTimerEx timer;
    const auto uiThread = std::this_thread::get_id();
    std::atomic<int> onUi{0}, onWorker{0};
    timer.setInterval(2);
    timer.setThreaded(true);
    timer.setOnTimer([&](TTimerEx*) {
        (std::this_thread::get_id() == uiThread ? onUi : onWorker)++;
    });
    EXPECT_EQ(timer.state(), TTimerEx::State::RunningThread);
    EXPECT_TRUE(waitFor([&] { return onUi >= 3; }));
    EXPECT_EQ(onWorker, 0);

    timer.setThreadSafe(true);
    EXPECT_TRUE(waitFor([&] { return onWorker >= 3; }));
}

TEST_F(TimerThreadMode, IntervalZeroLeavesTheWorkerPaused)
{
    TTimerEx timer;
    std::atomic<int> ticks{0};
    timer.setThreaded(true);
    timer.setThreadSafe(true);
    timer.setInterval(0);
    timer.setOnTimer([&](TTimerEx*) { ++ticks; });
    EXPECT_EQ(timer.state(), TTimerEx::State::Stopped);
    pumpFor(30);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerThreadMode, SwitchingModesKeepsExactlyOneSource)
{
    ManualClock clock;
    ManualTimerWindow* window = nullptr;
    TTimerEx timer(nullptr, [&] {
        auto made = std::make_unique<ManualTimerWindow>(clock);
        window = made.get();
        return made;
    });
    int ticks = 0;
    timer.setInterval(1);
    timer.setOnTimer([&](TTimerEx*) { ++ticks; });
    for (int i = 0; i < 5; ++i) {
        timer.setThreaded(true);
        EXPECT_EQ(timer.state(), TTimerEx::State::RunningThread);
        timer.setThreaded(false);
        EXPECT_EQ(timer.state(), TTimerEx::State::RunningWindow);
    }
    // Only the hand-driven window may tick now; a worker left behind would
    // tick every millisecond while the events are pumped.
    ticks = 0;
    pumpFor(40);
    EXPECT_EQ(ticks, 0);
    clock.now += 3;
    window->catchUp();
    EXPECT_EQ(ticks, 3);
}

TEST_F(TimerThreadMode, DestructionEndsTicksForGood)
{
    std::atomic<int> ticks{0};
    auto timer = std::make_unique<TTimerEx>();
    timer->setInterval(1);
    timer->setThreaded(true);
    timer->setThreadSafe(true);
    timer->setOnTimer([&](TTimerEx*) {
        ++ticks;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    });
    EXPECT_TRUE(waitFor([&] { return ticks >= 2; }));
    timer.reset();
    const int atDestruction = ticks;
    pumpFor(30);
    EXPECT_EQ(ticks, atDestruction);
}

TEST_F(TimerThreadMode, HandedTickMayDestroyItsTimer)
{
    int ticks = 0;
    auto timer = std::make_unique<TTimerEx>();
    timer->setInterval(1);
    timer->setThreaded(true);
    timer->setOnTimer([&](TTimerEx*) {
        ++ticks;
        timer.reset();
    });
    EXPECT_TRUE(waitFor([&] { return timer == nullptr; }));
    pumpFor(20);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerThreadMode, WorkerErrorIsReportedOnTheUiThread)
{
    RecordingBox box;
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    std::atomic<int> ticks{0};
    {
        TTimerEx timer;
        timer.setInterval(1);
        timer.setThreaded(true);
        timer.setThreadSafe(true);
        timer.setOnTimer([&](TTimerEx*) {
            ++ticks;
            throw AppError(QStringLiteral("Worker broken"));
        });
        EXPECT_TRUE(waitFor([&] { return box.texts.size() >= 2; }));
    }
    pumpFor(10);
    ErrorReporting::install(nullptr, QString());
    EXPECT_EQ(box.texts.first(), QStringLiteral("Worker broken."));
}

TEST_F(TimerThreadMode, PrioritiesMapToIdlePolicyAndNiceSteps)
{
    TTimerEx timer;
    std::atomic<int> policy{-1}, nice{100};
    const int base = getpriority(PRIO_PROCESS, 0);
    timer.setInterval(1);
    timer.setThreaded(true);
    timer.setThreadSafe(true);
    timer.setThreadPriority(tpLowest);
    timer.setOnTimer([&](TTimerEx*) {
        policy = sched_getscheduler(0);
        nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    });
    EXPECT_TRUE(waitFor([&] { return nice != 100; }));
    EXPECT_EQ(policy, SCHED_OTHER);
    EXPECT_EQ(nice, std::min(base + 10, 19));
    policy = -1;
    timer.setThreadPriority(tpIdle);
    EXPECT_TRUE(waitFor([&] { return policy == SCHED_IDLE; }));
}

}  // namespace
