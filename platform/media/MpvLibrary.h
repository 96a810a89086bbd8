#pragma once

#include <functional>
#include <thread>

#include <QObject>
#include <QString>

#include <mpv/client.h>
#include <mpv/render.h>

// The player's calls, found in the loaded library.
#define TOVRELLE_MPV_CALLS(X)                                                                                    \
    X(create) X(initialize) X(terminate_destroy) X(set_option_string) X(set_wakeup_callback) X(wait_event)     \
    X(command_async) X(set_property_async) X(get_property_async) X(observe_property) X(error_string)             \
    X(render_context_create) X(render_context_free) X(render_context_set_update_callback)                      \
    X(render_context_update) X(render_context_render)

struct MpvCalls {
#define TOVRELLE_MPV_CALL(name) decltype(&::mpv_##name) name = nullptr;
    TOVRELLE_MPV_CALLS(TOVRELLE_MPV_CALL)
#undef TOVRELLE_MPV_CALL
};

// libmpv, loaded on a thread of its own: with its few hundred libraries it
// takes longer to load than the window takes to appear, so the program does
// not link it and the window does not wait for it. UI thread only, but for
// the loading itself.
class MpvLibrary : public QObject {
    Q_OBJECT

public:
    using ReadyHandler = std::function<void(const MpvCalls*)>;

    explicit MpvLibrary(const char* fileName);
    ~MpvLibrary() override;

    // The library the program's players use.
    static MpvLibrary& shared();

    // Starts loading, unless it has started already.
    void load();
    // Players wait for load() rather than start loading with the first of
    // them: while the library loads, any other thread's loading of a library
    // waits for it, the window's own plugins among them.
    void deferLoad() { deferred_ = true; }
    // Calls ready on the UI thread, while context lives, with the library's
    // calls once loaded, or null when it cannot be loaded; starts loading
    // unless deferred.
    void whenLoaded(QObject* context, ReadyHandler ready);
    // Why the library cannot be loaded, once it is known.
    QString failure() const { return failure_; }

signals:
    void loaded();

private:
    void loadHere();
    Q_INVOKABLE void finish();

    const char* fileName_;
    bool deferred_ = false;
    std::thread loader_;
    bool done_ = false;
    MpvCalls calls_;
    bool found_ = false;
    QString failure_;
};
