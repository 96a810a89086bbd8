#include "MprisRootAdaptor.h"

#include "MprisService.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}

void MprisRootAdaptor::Raise()
{
    if (auto* controls = service_->controls())
        controls->raise();
}

void MprisRootAdaptor::Quit()
{
    if (auto* controls = service_->controls())
        controls->quit();
}
