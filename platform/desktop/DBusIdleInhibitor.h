#pragma once

#include <cstdint>

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariant>

#include "IdleInhibitor.h"

// The inhibition on the session bus: the desktop's screen-saver service where
// there is one (freedesktop, KDE), else GNOME's session manager, else the
// desktop portal (started by the bus when it is not running yet). Calls do not
// wait for the desktop's answer, so a slow desktop never stalls the window;
// a release asked for before the answer arrives is sent when it arrives.
// Without a session bus, or with none of the services, the inhibition goes
// to the fallback when there is one. UI thread only.
class DBusIdleInhibitor : public QObject, public IdleInhibitor {
    Q_OBJECT

public:
    explicit DBusIdleInhibitor(IdleInhibitor* fallback = nullptr,
                               const QDBusConnection& bus = QDBusConnection::sessionBus());
    ~DBusIdleInhibitor() override;

    void hold(const QString& reason) override;
    void release() override;

    // The service the inhibition goes to; its calls differ.
    struct Service;

private:
    const Service* findService() const;
    void inhibit(const Service& service, const QString& reason);
    void uninhibit(const Service& service, const QVariant& token);

    IdleInhibitor* fallback_;
    QDBusConnection bus_;
    QString reason_;  // of the inhibition held or asked for; empty when none
    std::uint64_t request_ = 0;  // numbers the requests: only the latest answer is kept
    QVariant token_;  // the service's cookie or request of the inhibition held; invalid when none
    const Service* service_ = nullptr;  // that gave the token
};
