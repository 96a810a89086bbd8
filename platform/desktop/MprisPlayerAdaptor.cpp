#include "MprisPlayerAdaptor.h"

#include <algorithm>
#include <cmath>

#include "MprisService.h"

namespace {

QString statusName(MediaSessionState::Status status)
{
    switch (status) {
    case MediaSessionState::Status::Playing:
        return QStringLiteral("Playing");
    case MediaSessionState::Status::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

// The lesson as a track; a player with nothing open shows no track at all.
QVariantMap metadataOf(const MediaSessionState& state)
{
    if (state.trackId.isEmpty())
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack"))}};
    QVariantMap metadata{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(state.trackId))},
        {QStringLiteral("xesam:title"), state.title},
        {QStringLiteral("xesam:album"), state.album},
    };
    if (state.length > 0)
        metadata.insert(QStringLiteral("mpris:length"), MprisPlayerAdaptor::microseconds(state.length));
    return metadata;
}

}  // namespace

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}

qlonglong MprisPlayerAdaptor::microseconds(double seconds)
{
    return std::llround(seconds * 1e6);
}

QVariantMap MprisPlayerAdaptor::properties(const MediaSessionState& state)
{
    const bool open = !state.trackId.isEmpty();
    return {
        {QStringLiteral("PlaybackStatus"), statusName(state.status)},
        {QStringLiteral("Rate"), state.rate},
        {QStringLiteral("Volume"), state.volume},
        {QStringLiteral("Metadata"), metadataOf(state)},
        {QStringLiteral("MinimumRate"), state.minimumRate},
        {QStringLiteral("MaximumRate"), state.maximumRate},
        {QStringLiteral("CanGoNext"), state.canGoNext},
        {QStringLiteral("CanGoPrevious"), state.canGoPrevious},
        {QStringLiteral("CanPlay"), open},
        {QStringLiteral("CanPause"), open},
        {QStringLiteral("CanSeek"), open},
    };
}

QVariantMap MprisPlayerAdaptor::changedProperties(const MediaSessionState& before, const MediaSessionState& after)
{
    const QVariantMap old = properties(before);
    QVariantMap changed = properties(after);
    for (auto it = changed.begin(); it != changed.end();)
        it = it.value() == old.value(it.key()) ? changed.erase(it) : std::next(it);
    return changed;
}

QVariant MprisPlayerAdaptor::stateProperty(const char* name) const
{
    return properties(service_->state()).value(QString::fromLatin1(name));
}

QString MprisPlayerAdaptor::playbackStatus() const { return stateProperty("PlaybackStatus").toString(); }
double MprisPlayerAdaptor::rate() const { return service_->state().rate; }
QVariantMap MprisPlayerAdaptor::metadata() const { return stateProperty("Metadata").toMap(); }
double MprisPlayerAdaptor::volume() const { return service_->state().volume; }
double MprisPlayerAdaptor::minimumRate() const { return service_->state().minimumRate; }
double MprisPlayerAdaptor::maximumRate() const { return service_->state().maximumRate; }
bool MprisPlayerAdaptor::canGoNext() const { return service_->state().canGoNext; }
bool MprisPlayerAdaptor::canGoPrevious() const { return service_->state().canGoPrevious; }
bool MprisPlayerAdaptor::canPlay() const { return stateProperty("CanPlay").toBool(); }
bool MprisPlayerAdaptor::canPause() const { return stateProperty("CanPause").toBool(); }
bool MprisPlayerAdaptor::canSeek() const { return stateProperty("CanSeek").toBool(); }

qlonglong MprisPlayerAdaptor::position() const
{
    const auto* controls = service_->controls();
    return controls ? microseconds(controls->position()) : 0;
}

void MprisPlayerAdaptor::control(const std::function<void(MediaSessionControls&)>& action) const
{
    if (auto* controls = service_->controls())
        action(*controls);
}

// A rate of 0 is how a client asks for a pause.
void MprisPlayerAdaptor::setRate(double rate)
{
    if (std::isnan(rate))
        return;
    control([rate](MediaSessionControls& c) { rate == 0.0 ? c.pause() : c.setRate(rate); });
}

// Below silence means silence.
void MprisPlayerAdaptor::setVolume(double level)
{
    if (std::isnan(level))
        return;
    control([level](MediaSessionControls& c) { c.setVolume(std::max(level, 0.0)); });
}

void MprisPlayerAdaptor::Play() { control([](MediaSessionControls& c) { c.play(); }); }
void MprisPlayerAdaptor::Pause() { control([](MediaSessionControls& c) { c.pause(); }); }
void MprisPlayerAdaptor::PlayPause() { control([](MediaSessionControls& c) { c.playPause(); }); }
void MprisPlayerAdaptor::Stop() { control([](MediaSessionControls& c) { c.stop(); }); }
void MprisPlayerAdaptor::Next() { control([](MediaSessionControls& c) { c.next(); }); }
void MprisPlayerAdaptor::Previous() { control([](MediaSessionControls& c) { c.previous(); }); }

// Before the start means the start; beyond the end moves on to the next
// lesson, as players do.
void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    const double length = service_->state().length;
    control([offset, length](MediaSessionControls& c) {
        const double target = c.position() + offset / 1e6;
        if (length > 0 && target > length)
            c.next();
        else
            c.setPosition(std::max(target, 0.0));
    });
}

// Only for the clip that plays now, and only within it.
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    const MediaSessionState& state = service_->state();
    if (trackId.path() != state.trackId || position < 0 || position / 1e6 > state.length)
        return;
    control([position](MediaSessionControls& c) { c.setPosition(position / 1e6); });
}
