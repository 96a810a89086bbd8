#include "MpvLibrary.h"

#include <dlfcn.h>

MpvLibrary::MpvLibrary(const char* fileName) : fileName_(fileName) {}

MpvLibrary::~MpvLibrary()
{
    if (loader_.joinable())
        loader_.join();
}

MpvLibrary& MpvLibrary::shared()
{
    static MpvLibrary library("libmpv.so.2");
    return library;
}

void MpvLibrary::load()
{
    if (!loader_.joinable())
        loader_ = std::thread([this] { loadHere(); });
}

void MpvLibrary::whenLoaded(QObject* context, ReadyHandler ready)
{
    if (!deferred_)
        load();
    auto call = [this, ready = std::move(ready)] { ready(found_ ? &calls_ : nullptr); };
    if (done_)
        QMetaObject::invokeMethod(context, call, Qt::QueuedConnection);
    else
        connect(this, &MpvLibrary::loaded, context, call, Qt::SingleShotConnection);
}

// On the loading thread. The calls are looked up in the whole program, so
// that a library loaded ahead of this one may stand in front of any of them.
void MpvLibrary::loadHere()
{
    if (!dlopen(fileName_, RTLD_NOW | RTLD_GLOBAL)) {
        failure_ = QString::fromLocal8Bit(dlerror());
    } else {
        found_ = true;
#define TOVRELLE_MPV_CALL(name)                                                                   \
    calls_.name = reinterpret_cast<decltype(calls_.name)>(dlsym(RTLD_DEFAULT, "mpv_" #name));     \
    if (!calls_.name && found_) {                                                                 \
        found_ = false;                                                                           \
        failure_ = QStringLiteral("%1 lacks mpv_%2.").arg(QString::fromUtf8(fileName_), #name);    \
    }
        TOVRELLE_MPV_CALLS(TOVRELLE_MPV_CALL)
#undef TOVRELLE_MPV_CALL
    }
    QMetaObject::invokeMethod(this, "finish", Qt::QueuedConnection);
}

void MpvLibrary::finish()
{
    done_ = true;
    emit loaded();
}
