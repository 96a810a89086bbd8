#include "MprisService.h"

#include <QCoreApplication>
#include <QDBusMessage>

#include "MprisPlayerAdaptor.h"
#include "MprisRootAdaptor.h"

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.tovrelle");

}  // namespace

MprisService::MprisService(const QDBusConnection& bus) : bus_(bus)
{
    new MprisRootAdaptor(this);
    player_ = new MprisPlayerAdaptor(this);
    if (!bus_.isConnected() || !bus_.registerObject(kObjectPath, this))
        return;
    // Another running program holds the plain name: players add an instance.
    const QString instance = kServiceName + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
    for (const QString& name : {kServiceName, instance}) {
        if (bus_.registerService(name)) {
            serviceName_ = name;
            return;
        }
    }
}

MprisService::~MprisService()
{
    if (!serviceName_.isEmpty())
        bus_.unregisterService(serviceName_);
    bus_.unregisterObject(kObjectPath);
}

void MprisService::setControls(MediaSessionControls* controls)
{
    controls_ = controls;
}

void MprisService::publish(const MediaSessionState& state)
{
    const QVariantMap changed = MprisPlayerAdaptor::changedProperties(state_, state);
    state_ = state;
    if (changed.isEmpty() || serviceName_.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << MprisPlayerAdaptor::interfaceName() << changed << QStringList();
    bus_.send(signal);
}

void MprisService::seeked(double seconds)
{
    emit player_->Seeked(MprisPlayerAdaptor::microseconds(seconds));
}
