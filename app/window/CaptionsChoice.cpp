#include "CaptionsChoice.h"

#include "accessible/SpokenNotice.h"

namespace {

constexpr char kCaptionsKey[] = "captions";
const QByteArray kOff = QByteArrayLiteral("off");

}  // namespace

CaptionsChoice::CaptionsChoice(UserSettings settings, VideoControl& player)
    : settings_(std::move(settings)), player_(player)
{
    player_.setCaptionsShown(settings_.value(kCaptionsKey) != kOff);
}

void CaptionsChoice::toggle()
{
    const bool shown = !player_.captionsShown();
    player_.setCaptionsShown(shown);
    settings_.setValue(kCaptionsKey, shown ? QByteArrayLiteral("on") : kOff);
    SpokenNotice::tell(shown ? QStringLiteral("Captions on") : QStringLiteral("Captions off"));
}
