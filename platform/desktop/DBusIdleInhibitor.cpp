#include "DBusIdleInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QTimer>

// One service that keeps the screen awake, and how its calls are spelt.
struct DBusIdleInhibitor::Service {
    enum class Kind {
        ScreenSaver,     // Inhibit(app, reason) gives a cookie for UnInhibit
        SessionManager,  // GNOME's Inhibit(app, window, reason, flags), a cookie for Uninhibit
        Portal,          // Inhibit(window, flags, options) gives a request to Close
    };
    Kind kind;
    QString name;
    QString path;
    bool activatable;  // the bus starts it when it is first called
};

namespace {

using Kind = DBusIdleInhibitor::Service::Kind;

// The flag for "the session must not be marked idle", GNOME's and the portal's alike.
constexpr std::uint32_t kInhibitIdle = 8;

// In the order of preference. The freedesktop service is the screen saver of
// KDE, Xfce, LXQt and GNOME alike; GNOME's session manager is older; the
// desktop portal passes the request on to whichever the desktop has, and is
// all that a sandboxed program may reach.
const DBusIdleInhibitor::Service kServices[] = {
    {Kind::ScreenSaver, QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"), false},
    {Kind::SessionManager, QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"), false},
    {Kind::Portal, QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"), true},
};

QDBusMessage inhibitCall(const DBusIdleInhibitor::Service& service, const QString& reason)
{
    const QString interface = service.kind == Kind::Portal ? QStringLiteral("org.freedesktop.portal.Inhibit") : service.name;
    QDBusMessage call = QDBusMessage::createMethodCall(service.name, service.path, interface, QStringLiteral("Inhibit"));
    switch (service.kind) {
    case Kind::ScreenSaver:
        return call << QStringLiteral("Tovrelle") << reason;
    case Kind::SessionManager:
        return call << QStringLiteral("tovrelle") << 0u << reason << kInhibitIdle;
    case Kind::Portal:
        return call << QString() << kInhibitIdle << QVariantMap{{QStringLiteral("reason"), reason}};
    }
    return call;
}

// The token is the first value of the inhibit call's answer.
QDBusMessage releaseCall(const DBusIdleInhibitor::Service& service, const QVariant& token)
{
    switch (service.kind) {
    case Kind::ScreenSaver:
        return QDBusMessage::createMethodCall(service.name, service.path, service.name, QStringLiteral("UnInhibit"))
               << token.toUInt();
    case Kind::SessionManager:
        return QDBusMessage::createMethodCall(service.name, service.path, service.name, QStringLiteral("Uninhibit"))
               << token.toUInt();
    case Kind::Portal:
        return QDBusMessage::createMethodCall(service.name, token.value<QDBusObjectPath>().path(),
                                              QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close"));
    }
    return {};
}

}  // namespace

DBusIdleInhibitor::DBusIdleInhibitor(const QDBusConnection& bus) : bus_(bus) {}

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
    candidates_ = offeredServices();
    inhibit(0);
}

void DBusIdleInhibitor::release()
{
    if (token_.isValid())
        uninhibit(*service_, token_);
    token_.clear();
    reason_.clear();
    ++hold_;  // an answer still on its way is given back when it comes
}

std::vector<const DBusIdleInhibitor::Service*> DBusIdleInhibitor::offeredServices() const
{
    std::vector<const Service*> offered;
    if (!bus_.isConnected() || !bus_.interface())
        return offered;
    QStringList activatable;
    for (const Service& service : kServices) {
        if (service.activatable && activatable.isEmpty())
            activatable = bus_.interface()->activatableServiceNames().value();
        if (bus_.interface()->isServiceRegistered(service.name).value()
            || (service.activatable && activatable.contains(service.name)))
            offered.push_back(&service);
    }
    return offered;
}

// Asks the candidate; a failure, or silence past the wait, asks the next.
// The first inhibition that answers for the hold is kept, even one that
// answers late; any other is given back.
void DBusIdleInhibitor::inhibit(std::size_t candidate)
{
    if (candidate >= candidates_.size())
        return;
    const Service& service = *candidates_[candidate];
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(inhibitCall(service, reason_)), this);
    const std::uint64_t request = ++request_;
    const std::uint64_t hold = hold_;
    auto handOn = [this, hold, request, candidate] {
        if (hold == hold_ && request == request_ && !token_.isValid())
            inhibit(candidate + 1);
    };
    QTimer::singleShot(AnswerWaitMs, watcher, handOn);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, &service, hold, handOn](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusMessage reply = done->reply();
                if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                    handOn();
                    return;
                }
                // Object paths come as the D-Bus type itself, cookies as plain numbers.
                const QVariant token = reply.arguments().constFirst();
                if (hold == hold_ && !token_.isValid()) {
                    service_ = &service;
                    token_ = token;
                } else {
                    uninhibit(service, token);
                }
            });
}

void DBusIdleInhibitor::uninhibit(const Service& service, const QVariant& token)
{
    bus_.send(releaseCall(service, token));
}
