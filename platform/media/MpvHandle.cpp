#include "MpvHandle.h"

#include <clocale>
#include <cstring>
#include <cstdlib>

#include <malloc.h>

#include <QTimer>
#include <QtDebug>

namespace {

// Called on one of the core's threads: only posts to the UI thread.
void wakeUp(void* handle)
{
    QMetaObject::invokeMethod(static_cast<MpvHandle*>(handle), "drainEvents", Qt::QueuedConnection);
}

}  // namespace

void MpvHandle::prepareProcess()
{
    mallopt(M_ARENA_MAX, 2);
    // Where no sound server answers, the player tries SDL's sound output,
    // and SDL takes over SIGTERM while it is loaded: a logout or a kill that
    // comes then would be swallowed and leave the program running.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
}

MpvHandle::MpvHandle(std::initializer_list<Option> options, MpvLibrary& library)
{
    for (const auto& [name, value] : options)
        options_.emplace_back(name, value);
    library.whenLoaded(this, [this, &library](const MpvCalls* calls) { start(calls, library.failure()); });
}

// The wake-up callback is gone once the call returns, so no post outlives us.
MpvHandle::~MpvHandle()
{
    if (!mpv_)
        return;
    calls_->set_wakeup_callback(mpv_, nullptr, nullptr);
    calls_->terminate_destroy(mpv_);
}

void MpvHandle::start(const MpvCalls* calls, const QString& libraryFailure)
{
    calls_ = calls;
    if (calls_)
        createCore();
    else
        failure_ = QStringLiteral("The video player could not be loaded: %1").arg(libraryFailure);
    if (!failure_.isEmpty())
        qWarning().noquote() << failure_;
    starting_ = false;
    // Before any clip opens: the core's video output needs what the start
    // handler sets up (its frames' renderer).
    if (mpv_ && started_)
        started_();
    for (auto& [call, replyTo] : std::exchange(waiting_, {}))
        whenStarted(std::move(call), replyTo);
}

// The player reads and writes numbers in the C library's own format, and
// refuses to start under a locale that writes them otherwise. The program
// settles that before its threads start; this only covers a host that did not.
void MpvHandle::createCore()
{
    if (std::strcmp(std::setlocale(LC_NUMERIC, nullptr), "C") != 0)
        std::setlocale(LC_NUMERIC, "C");
    mpv_handle* core = calls_->create();
    if (!core) {
        failure_ = QStringLiteral("The video player could not be started.");
        return;
    }
    // A player inside the program: no key bindings, scripts or overlays of
    // its own, and with no sound device to reach it plays on in silence.
    const Option shared[] = {
        {"input-default-bindings", "no"}, {"ytdl", "no"}, {"load-scripts", "no"}, {"load-stats-overlay", "no"},
        {"load-osd-console", "no"}, {"audio-fallback-to-null", "yes"}, {"audio-client-name", "Tovrelle"},
    };
    for (const auto& [name, value] : shared)
        calls_->set_option_string(core, name, value);
    for (const auto& [name, value] : options_)
        calls_->set_option_string(core, name.constData(), value.constData());
    if (const int started = calls_->initialize(core); started < 0) {
        calls_->terminate_destroy(core);
        failure_ = QString::fromUtf8(calls_->error_string(started));
        return;
    }
    mpv_ = core;
    calls_->set_wakeup_callback(mpv_, wakeUp, this);
}

void MpvHandle::whenStarted(std::function<void()> call, quint64 replyTo)
{
    if (starting_)
        waiting_.emplace_back(std::move(call), replyTo);
    else if (mpv_)
        call();
    else
        answerCommand(replyTo);
}

void MpvHandle::command(std::initializer_list<QString> arguments, quint64 replyTo)
{
    std::vector<QByteArray> texts;
    texts.reserve(arguments.size());
    for (const QString& argument : arguments)
        texts.push_back(argument.toUtf8());
    whenStarted(
        [this, texts = std::move(texts), replyTo] {
            std::vector<const char*> argv;
            for (const QByteArray& text : texts)
                argv.push_back(text.constData());
            argv.push_back(nullptr);
            calls_->command_async(mpv_, replyTo, argv.data());
        },
        replyTo);
}

// A core that could not start answers a command that waits for its reply,
// later, as a core would: with an error.
void MpvHandle::answerCommand(quint64 replyTo)
{
    if (replyTo == 0)
        return;
    QTimer::singleShot(0, this, [this, replyTo] {
        mpv_event_command result{};
        mpv_event reply{};
        reply.event_id = MPV_EVENT_COMMAND_REPLY;
        reply.error = MPV_ERROR_UNINITIALIZED;
        reply.reply_userdata = replyTo;
        reply.data = &result;
        if (handler_)
            handler_(reply);
    });
}

QString MpvHandle::errorText(int error) const
{
    return mpv_ ? QString::fromUtf8(calls_->error_string(error)) : failure_;
}

void MpvHandle::setFlag(const char* name, bool on)
{
    whenStarted([this, name, on] {
        int flag = on ? 1 : 0;
        calls_->set_property_async(mpv_, 0, name, MPV_FORMAT_FLAG, &flag);
    });
}

void MpvHandle::setNumber(const char* name, double value)
{
    whenStarted([this, name, value] {
        double number = value;
        calls_->set_property_async(mpv_, 0, name, MPV_FORMAT_DOUBLE, &number);
    });
}

void MpvHandle::setText(const char* name, const QByteArray& value)
{
    whenStarted([this, name, value] {
        const char* text = value.constData();
        calls_->set_property_async(mpv_, 0, name, MPV_FORMAT_STRING, &text);
    });
}

void MpvHandle::observe(const char* name, mpv_format format)
{
    whenStarted([this, name, format] { calls_->observe_property(mpv_, 0, name, format); });
}

void MpvHandle::read(const char* name, mpv_format format, quint64 replyTo)
{
    whenStarted([this, name, format, replyTo] { calls_->get_property_async(mpv_, replyTo, name, format); });
}

void MpvHandle::drainEvents()
{
    for (;;) {
        const mpv_event* event = calls_->wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        if (handler_)
            handler_(*event);
    }
}
