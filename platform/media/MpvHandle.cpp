#include "MpvHandle.h"

#include <clocale>
#include <cstdlib>
#include <vector>

#include <malloc.h>

#include <QByteArray>

#include "AppError.h"

namespace {

// Called on one of the core's threads: only posts to the UI thread.
void wakeUp(void* handle)
{
    QMetaObject::invokeMethod(static_cast<MpvHandle*>(handle), "drainEvents", Qt::QueuedConnection);
}

// The player reads and writes numbers in the C library's own format, and
// refuses to start under a locale that writes them otherwise.
mpv_handle* createPlayer()
{
    std::setlocale(LC_NUMERIC, "C");
    return mpv_create();
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

MpvHandle::MpvHandle(std::initializer_list<Option> options) : mpv_(createPlayer())
{
    if (!mpv_)
        throw AppError(QStringLiteral("The video player could not be started."));
    // A player inside the program: no key bindings, scripts or overlays of
    // its own, and with no sound device to reach it plays on in silence.
    const Option shared[] = {
        {"input-default-bindings", "no"}, {"ytdl", "no"}, {"load-scripts", "no"}, {"load-stats-overlay", "no"},
        {"load-osd-console", "no"}, {"audio-fallback-to-null", "yes"}, {"audio-client-name", "Tovrelle"},
    };
    for (const auto& [name, value] : shared)
        mpv_set_option_string(mpv_, name, value);
    for (const auto& [name, value] : options)
        mpv_set_option_string(mpv_, name, value);
    const int started = mpv_initialize(mpv_);
    if (started < 0) {
        mpv_terminate_destroy(mpv_);
        throw AppError(QString::fromUtf8(mpv_error_string(started)));
    }
    mpv_set_wakeup_callback(mpv_, wakeUp, this);
}

// The wake-up callback is gone once the call returns, so no post outlives us.
MpvHandle::~MpvHandle()
{
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    mpv_terminate_destroy(mpv_);
}

void MpvHandle::command(std::initializer_list<QString> arguments, quint64 replyTo)
{
    std::vector<QByteArray> texts;
    texts.reserve(arguments.size());
    for (const QString& argument : arguments)
        texts.push_back(argument.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& text : texts)
        argv.push_back(text.constData());
    argv.push_back(nullptr);
    mpv_command_async(mpv_, replyTo, argv.data());
}

void MpvHandle::setFlag(const char* name, bool on)
{
    int flag = on ? 1 : 0;
    mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_FLAG, &flag);
}

void MpvHandle::setNumber(const char* name, double value)
{
    mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_DOUBLE, &value);
}

void MpvHandle::observe(const char* name, mpv_format format)
{
    mpv_observe_property(mpv_, 0, name, format);
}

void MpvHandle::read(const char* name, mpv_format format, quint64 replyTo)
{
    mpv_get_property_async(mpv_, replyTo, name, format);
}

void MpvHandle::drainEvents()
{
    for (;;) {
        const mpv_event* event = mpv_wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        if (handler_)
            handler_(*event);
    }
}
