#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QString>

#include <mpv/client.h>

#include "MpvLibrary.h"

// One player core of libmpv, driven from the UI thread without waiting on it:
// commands and property writes go out asynchronously, and the core's events
// come back on the UI thread through the Qt event loop. The core starts once
// the library has loaded; what is asked before then is done, in order, as it
// starts. A core that cannot start answers every command with an error.
class MpvHandle : public QObject {
    Q_OBJECT

public:
    using Option = std::pair<const char*, const char*>;
    using EventHandler = std::function<void(const mpv_event&)>;

    // Sets the process up for players: call first thing in main, before any
    // other thread starts. Each clip a core opens runs on threads of its own,
    // and left alone the C library gives each of those threads a heap of its
    // own that keeps its freed memory: a learner switching lessons would see
    // the program grow by megabytes per switch until there is a heap per
    // thread that ever ran. So all threads share two heaps. It also keeps
    // the player's sound libraries off the process's signals.
    static void prepareProcess();

    // A core with these options set before it starts, on this library.
    MpvHandle(std::initializer_list<Option> options, MpvLibrary& library);
    ~MpvHandle() override;

    MpvHandle(const MpvHandle&) = delete;
    MpvHandle& operator=(const MpvHandle&) = delete;

    // The core, and the library's calls, once started; null before and when
    // it cannot start.
    mpv_handle* get() const { return mpv_; }
    const MpvCalls& calls() const { return *calls_; }
    bool failed() const { return !starting_ && !mpv_; }

    // Receives every event of the core, on the UI thread.
    void setEventHandler(EventHandler handler) { handler_ = std::move(handler); }
    // Called on the UI thread once the core has started, before what waited
    // for it is done.
    void setStartHandler(std::function<void()> handler) { started_ = std::move(handler); }

    // Sends a command; its reply comes as an event carrying replyTo.
    void command(std::initializer_list<QString> arguments, quint64 replyTo = 0);
    void setFlag(const char* name, bool on);
    void setNumber(const char* name, double value);
    void setText(const char* name, const QByteArray& value);
    void observe(const char* name, mpv_format format);
    // Reads a property; its value comes as an event carrying replyTo.
    void read(const char* name, mpv_format format, quint64 replyTo);
    // Says what an error of the core means.
    QString errorText(int error) const;

private:
    void start(const MpvCalls* calls, const QString& libraryFailure);
    void createCore();
    // Runs call on the core, at once or as it starts; a core that cannot
    // start answers replyTo instead.
    void whenStarted(std::function<void()> call, quint64 replyTo = 0);
    void answerCommand(quint64 replyTo);
    Q_INVOKABLE void drainEvents();

    std::vector<std::pair<QByteArray, QByteArray>> options_;
    bool starting_ = true;
    std::vector<std::pair<std::function<void()>, quint64>> waiting_;
    const MpvCalls* calls_ = nullptr;
    mpv_handle* mpv_ = nullptr;
    QString failure_;  // why the core could not start
    EventHandler handler_;
    std::function<void()> started_;
};
