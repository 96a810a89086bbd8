#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

#include <QObject>
#include <QString>

#include <mpv/client.h>

// One player core of libmpv, driven from the UI thread without waiting on it:
// commands and property writes go out asynchronously, and the core's events
// come back on the UI thread through the Qt event loop.
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

    // Creates and starts a core with these options set before it starts.
    explicit MpvHandle(std::initializer_list<Option> options);
    ~MpvHandle() override;

    MpvHandle(const MpvHandle&) = delete;
    MpvHandle& operator=(const MpvHandle&) = delete;

    mpv_handle* get() const { return mpv_; }

    // Receives every event of the core, on the UI thread.
    void setEventHandler(EventHandler handler) { handler_ = std::move(handler); }

    // Sends a command; its reply comes as an event carrying replyTo.
    void command(std::initializer_list<QString> arguments, quint64 replyTo = 0);
    void setFlag(const char* name, bool on);
    void setNumber(const char* name, double value);
    void observe(const char* name, mpv_format format);
    // Reads a property; its value comes as an event carrying replyTo.
    void read(const char* name, mpv_format format, quint64 replyTo);

private:
    Q_INVOKABLE void drainEvents();

    mpv_handle* mpv_;
    EventHandler handler_;
};
