#include "DBusIdleInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

// One service that keeps the screen awake, and how its calls are spelt.
struct DBusIdleInhibitor::Service {
    QString name;
    QString path;
    QString inhibitMethod;
    QString uninhibitMethod;
    bool sessionManager;  // GNOME's: Inhibit(app, window, reason, flags)
};

namespace {

// GNOME's flag for "the session must not be marked idle".
constexpr std::uint32_t kInhibitIdle = 8;

// In the order of preference. The freedesktop service is the screen saver of
// KDE, Xfce, LXQt and GNOME alike; GNOME's session manager is older.
const DBusIdleInhibitor::Service kServices[] = {
    {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
     QStringLiteral("Inhibit"), QStringLiteral("UnInhibit"), false},
    {QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
     QStringLiteral("Inhibit"), QStringLiteral("Uninhibit"), true},
};

QDBusMessage callOf(const DBusIdleInhibitor::Service& service, const QString& method)
{
    return QDBusMessage::createMethodCall(service.name, service.path, service.name, method);
}

}  // namespace

DBusIdleInhibitor::DBusIdleInhibitor(IdleInhibitor* fallback, const QDBusConnection& bus)
    : fallback_(fallback), bus_(bus)
{
}

DBusIdleInhibitor::~DBusIdleInhibitor()
{
    release();
}

void DBusIdleInhibitor::hold(const QString& reason)
{
    if (reason == reason_)
        return;
    release();
    reason_ = reason;
    if (const Service* service = findService())
        inhibit(*service, reason);
    else if (fallback_)
        fallback_->hold(reason);
}

void DBusIdleInhibitor::release()
{
    if (cookie_)
        uninhibit(*service_, *cookie_);
    cookie_.reset();
    if (fallback_)
        fallback_->release();
    reason_.clear();
    ++request_;  // an answer still on its way is given back when it comes
}

const DBusIdleInhibitor::Service* DBusIdleInhibitor::findService() const
{
    if (!bus_.isConnected() || !bus_.interface())
        return nullptr;
    for (const Service& service : kServices) {
        if (bus_.interface()->isServiceRegistered(service.name).value())
            return &service;
    }
    return nullptr;
}

void DBusIdleInhibitor::inhibit(const Service& service, const QString& reason)
{
    QDBusMessage call = callOf(service, service.inhibitMethod);
    if (service.sessionManager)
        call << QStringLiteral("tovrelle") << 0u << reason << kInhibitIdle;
    else
        call << QStringLiteral("Tovrelle") << reason;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    const std::uint64_t request = ++request_;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, &service, request](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<std::uint32_t> reply = *done;
        if (reply.isError())
            return;
        if (request == request_ && !reason_.isEmpty()) {
            service_ = &service;
            cookie_ = reply.value();
        } else {
            uninhibit(service, reply.value());
        }
    });
}

void DBusIdleInhibitor::uninhibit(const Service& service, std::uint32_t cookie)
{
    QDBusMessage call = callOf(service, service.uninhibitMethod);
    call << cookie;
    bus_.send(call);
}
