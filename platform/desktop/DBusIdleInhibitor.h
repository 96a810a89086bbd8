#pragma once

#include <cstdint>
#include <vector>

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariant>

#include "IdleInhibitor.h"

// The inhibition on the session bus: the desktop's screen-saver service where
// there is one (freedesktop, KDE), else GNOME's session manager, else the
// desktop portal (started by the bus when it is not running yet). A service
// whose Inhibit fails, or has not answered within a second, hands on to the
// next one offered. Calls do not wait for the desktop's answer, so a slow
// desktop never stalls the window; an inhibition that answers once no longer
// wanted (released, or another held) is given back when it arrives. Without a
// session bus, or with none of the services, nothing is held here: the X
// server's or the compositor's own ways are held beside this one. UI thread only.
class DBusIdleInhibitor : public QObject, public IdleInhibitor {
    Q_OBJECT

public:
    // How long a service may take to answer Inhibit before the next one is tried.
    static constexpr int AnswerWaitMs = 1000;

    explicit DBusIdleInhibitor(const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~DBusIdleInhibitor() override;

    void hold(const QString& reason) override;
    void release() override;

    // The service the inhibition goes to; its calls differ.
    struct Service;

private:
    std::vector<const Service*> offeredServices() const;
    void inhibit(std::size_t candidate);
    void uninhibit(const Service& service, const QVariant& token);

    QDBusConnection bus_;
    QString reason_;  // of the inhibition held or asked for; empty when none
    std::vector<const Service*> candidates_;  // offered on the bus when the hold was asked for, in order
    std::uint64_t hold_ = 0;  // numbers the holds: answers for an earlier one are given back
    std::uint64_t request_ = 0;  // numbers the calls: only the latest one hands on
    QVariant token_;  // the service's cookie or request of the inhibition held; invalid when none
    const Service* service_ = nullptr;  // that gave the token
};
