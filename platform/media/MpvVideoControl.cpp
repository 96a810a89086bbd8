#include "MpvVideoControl.h"

#include <algorithm>
#include <utility>

#include <QAccessible>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QtDebug>

#include "AppError.h"
#include "MpvFrameRenderer.h"
#include "VideoFrameView.h"
#include "WindowManagerCheck.h"

namespace {

// The reply number of seeks; the clips' open commands count up from 1.
constexpr quint64 SeekReply = ~quint64(0);

const mpv_node* mapValue(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (qstrcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

}  // namespace

MpvVideoControl::MpvVideoControl(MpvLibrary& library)
    : mpv_({
          {"vo", "libmpv"},
          {"hwdec", "no"},
          // A lesson's picture decodes on one thread with room to spare;
          // more threads only hold more frames back before the first shows.
          {"vd-lavc-threads", "1"},
          // The clip stays open at its end, on its last frame, as a learner
          // may still seek in it.
          {"keep-open", "yes"},
          {"idle", "yes"},
          // The picture fills the area it is drawn into: the control as the
          // window laid it out, or the part of the full screen that keeps the
          // picture's proportions.
          {"keepaspect", "no"},
          {"osd-level", "0"},
          {"input-vo-keyboard", "no"},
          {"audio-pitch-correction", "yes"},
          // The captions beside a clip are chosen here, with their encoding.
          {"sub-auto", "no"},
      }, library),
      surface_(std::make_unique<VideoFrameView>())
{
    mpv_.observe("duration", MPV_FORMAT_DOUBLE);
    mpv_.observe("time-pos", MPV_FORMAT_DOUBLE);
    mpv_.observe("eof-reached", MPV_FORMAT_FLAG);
    mpv_.observe("paused-for-cache", MPV_FORMAT_FLAG);
    mpv_.observe("video-params/aspect", MPV_FORMAT_DOUBLE);
    // The player drops a video track whose decoder fails after the clip opened.
    mpv_.observe("vid", MPV_FORMAT_NODE);
    mpv_.setEventHandler([this](const mpv_event& event) { handleEvent(event); });
    mpv_.setStartHandler([this] { startDrawing(); });
    surface_->onMouseRelease = [this](QMouseEvent* event) {
        if (mouseUp_) {
            const QPoint at = event->position().toPoint();
            mouseUp_(event->button(), event->modifiers(), at.x(), at.y());
        }
    };
    surface_->onDoubleClick = [this] {
        if (doubleClick_)
            doubleClick_();
    };
    surface_->onShown = [this] { redraw(); };
}

// Without a renderer the player's frames pass undrawn, and the surface stays black.
void MpvVideoControl::startDrawing()
{
    try {
        renderer_ = std::make_unique<MpvFrameRenderer>(mpv_, [this] { return loaded_ ? shownView() : nullptr; });
    } catch (const AppError& error) {
        qWarning().noquote() << "The video player cannot draw its pictures:" << error.text();
    }
}

void MpvVideoControl::redraw()
{
    if (renderer_)
        renderer_->redraw();
}

// The renderer goes first, then the views, then the player (member order).
MpvVideoControl::~MpvVideoControl() = default;

void MpvVideoControl::open(const QString& path)
{
    clipPath_ = path;
    clipRequested_ = !path.isEmpty();
    ++openRequest_;
    clipEntry_ = -1;
    loaded_ = false;
    failure_.clear();
    duration_ = position_ = 0.0;
    seekTarget_ = seekWhenOpen_ = -1.0;
    paused_ = stopped_ = atEnd_ = buffering_ = playbackStarted_ = false;
    clearPictures();
    if (!clipRequested_) {
        captions_.reset();
        mpv_.command({QStringLiteral("stop")});
        return;
    }
    captions_ = CaptionFile::besideClip(path);
    mpv_.setFlag("pause", false);
    mpv_.command({QStringLiteral("loadfile"), path}, openRequest_);
}

double MpvVideoControl::position() const
{
    if (!loaded_)
        return std::max(0.0, seekWhenOpen_);
    if (seekTarget_ >= 0.0)
        return seekTarget_;
    return atEnd_ ? duration_ : position_;
}

bool MpvVideoControl::isSeeking() const
{
    return loaded_ ? seekTarget_ >= 0.0 : seekWhenOpen_ >= 0.0;
}

void MpvVideoControl::setPosition(double seconds)
{
    seekOnceOpen(seconds);
}

// Until the clip is open there is nothing to seek in: the seek waits for it,
// and goes with it when another clip is asked for or it cannot be opened.
void MpvVideoControl::seekOnceOpen(double seconds)
{
    if (loaded_)
        seekTo(seconds);
    else if (clipRequested_ && failure_.isEmpty())
        seekWhenOpen_ = std::max(0.0, seconds);
}

void MpvVideoControl::seekTo(double seconds)
{
    seekTarget_ = std::max(0.0, seconds);
    atEnd_ = false;
    ++unansweredSeeks_;
    mpv_.command({QStringLiteral("seek"), QString::number(seekTarget_, 'f', 3), QStringLiteral("absolute+exact")},
                 SeekReply);
}

double MpvVideoControl::duration() const
{
    return loaded_ ? duration_ : 0.0;
}

VideoControl::PlayState MpvVideoControl::playState() const
{
    if (!clipRequested_ || !failure_.isEmpty())
        return Closed;
    // Before the clip is open, what was asked for meanwhile is what it will do.
    if (!loaded_)
        return stopped_ ? Stopped : paused_ ? Paused : Waiting;
    if (stopped_)
        return Stopped;
    if (paused_)
        return Paused;
    return buffering_ ? Waiting : Playing;
}

// A clip that failed to open cannot be played: that is the control's failure.
void MpvVideoControl::raiseIfFailed() const
{
    if (!failure_.isEmpty())
        throw AppError(failure_);
}

void MpvVideoControl::play()
{
    if (!clipRequested_)
        return;
    raiseIfFailed();
    // A clip played to its end starts again from its beginning.
    if (atEnd_)
        seekTo(0.0);
    paused_ = stopped_ = false;
    mpv_.setFlag("pause", false);
}

void MpvVideoControl::pause()
{
    raiseIfFailed();
    paused_ = true;
    mpv_.setFlag("pause", true);
}

void MpvVideoControl::stop()
{
    if (!clipRequested_)
        return;
    paused_ = false;
    stopped_ = true;
    mpv_.setFlag("pause", true);
    seekOnceOpen(0.0);
}

void MpvVideoControl::setSpeed(double factor)
{
    speed_ = factor;
    mpv_.setNumber("speed", factor);
}

double MpvVideoControl::speed() const
{
    return speed_;
}

void MpvVideoControl::setVolume(double level)
{
    volume_ = std::clamp(level, 0.0, 1.0);
    mpv_.setNumber("volume", volume_ * 100.0);
}

double MpvVideoControl::volume() const
{
    return volume_;
}

void MpvVideoControl::setCaptionsShown(bool shown)
{
    captionsShown_ = shown;
    mpv_.setFlag("sub-visibility", shown);
}

bool MpvVideoControl::captionsShown() const
{
    return captionsShown_;
}

void MpvVideoControl::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata != 0 && event.reply_userdata == openRequest_)
            takeOpenReply(event);
        else if (event.reply_userdata == SeekReply)
            takeSeekReply(event.error);
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        if (event.reply_userdata == openRequest_ && loaded_)
            checkPicture(*static_cast<const mpv_event_property*>(event.data));
        break;
    case MPV_EVENT_START_FILE:
        startedEntry_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (clipEntry_ >= 0 && startedEntry_ == clipEntry_)
            fileLoaded();
        break;
    case MPV_EVENT_END_FILE:
        fileEnded(*static_cast<const mpv_event_end_file*>(event.data));
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        playbackStarted_ = playbackStarted_ || loaded_;
        // The player restarts after each seek it takes in; one that it has
        // not answered yet restarts later.
        if (unansweredSeeks_ > 0)
            break;
        if (seekTarget_ >= 0.0)
            position_ = seekTarget_;
        seekTarget_ = -1.0;
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        takeProperty(*static_cast<const mpv_event_property*>(event.data));
        break;
    default:
        break;
    }
}

// The last seek refused leaves the player where it is.
void MpvVideoControl::takeSeekReply(int error)
{
    unansweredSeeks_ = std::max(0, unansweredSeeks_ - 1);
    if (error < 0 && unansweredSeeks_ == 0)
        seekTarget_ = -1.0;
}

void MpvVideoControl::takeOpenReply(const mpv_event& event)
{
    if (event.error < 0) {
        const QString reason = mpv_.errorText(event.error);
        fail(reason);
        reportOpenFailure(mpv_.failed() ? ClipOpenFailure::Cause::NoPlayer : ClipOpenFailure::Cause::NotLoaded, reason);
        return;
    }
    const auto& reply = *static_cast<const mpv_event_command*>(event.data);
    if (const mpv_node* entry = mapValue(reply.result, "playlist_entry_id"); entry && entry->format == MPV_FORMAT_INT64)
        clipEntry_ = entry->u.int64;
}

void MpvVideoControl::fileLoaded()
{
    loaded_ = true;
    // The player has chosen the video track, and tried its decoder, by now.
    mpv_.read("vid", MPV_FORMAT_NODE, openRequest_);
    addCaptions();
    // A seek, or a Stop, made while the clip opened.
    if (seekWhenOpen_ >= 0.0)
        seekTo(std::exchange(seekWhenOpen_, -1.0));
}

// The player reads the file in the encoding told, draws it into the frames it
// renders for us, and drops it when the next clip opens. A file it cannot read
// fails this command alone, and the clip plays on.
void MpvVideoControl::addCaptions()
{
    if (!captions_)
        return;
    mpv_.setText("sub-codepage", '+' + captions_->encoding);
    mpv_.command({QStringLiteral("sub-add"), captions_->path, QStringLiteral("select")});
}

void MpvVideoControl::fileEnded(const mpv_event_end_file& ended)
{
    if (ended.playlist_entry_id != clipEntry_ || clipEntry_ < 0)
        return;
    const bool wasOpen = loaded_;
    loaded_ = false;
    seekWhenOpen_ = -1.0;
    if (failure_.isEmpty()) {
        const bool error = ended.reason == MPV_END_FILE_REASON_ERROR;
        failure_ = error ? mpv_.errorText(ended.error) : QStringLiteral("The clip was closed.");
        // Ended before it ever played: the file could not be opened, or
        // opened with no decoder for its picture.
        if (!playbackStarted_ && (error || ended.reason == MPV_END_FILE_REASON_EOF))
            reportOpenFailure(wasOpen ? ClipOpenFailure::Cause::NoPicture : ClipOpenFailure::Cause::NotLoaded,
                              error ? failure_ : QString());
    }
    clearPictures();
}

void MpvVideoControl::takeProperty(const mpv_event_property& property)
{
    const QByteArray name(property.name);
    const bool known = property.format != MPV_FORMAT_NONE;
    if (name == "duration") {
        duration_ = known ? *static_cast<double*>(property.data) : 0.0;
    } else if (name == "time-pos") {
        if (known)
            position_ = *static_cast<double*>(property.data);
    } else if (name == "eof-reached") {
        atEnd_ = known && *static_cast<int*>(property.data);
        // At its end the clip stands stopped, as Stop would leave it.
        if (atEnd_ && loaded_)
            stopped_ = true;
    } else if (name == "paused-for-cache") {
        buffering_ = known && *static_cast<int*>(property.data);
    } else if (name == "video-params/aspect") {
        proportions_ = known ? *static_cast<double*>(property.data) : 0.0;
        if (fullScreen_)
            fullScreen_->setProportions(proportions_);
    } else if (name == "vid" && loaded_) {
        checkPicture(property);
    }
}

// The picture could not be decoded, or the file has none: a lesson without a
// picture is not played as sound alone.
void MpvVideoControl::checkPicture(const mpv_event_property& videoTrack)
{
    const auto* track = static_cast<const mpv_node*>(videoTrack.data);
    if (videoTrack.format != MPV_FORMAT_NODE || track->format != MPV_FORMAT_INT64) {
        fail(QStringLiteral("The clip has no picture that can be shown."));
        reportOpenFailure(ClipOpenFailure::Cause::NoPicture, QString());
    }
}

// The clip cannot be played: it is closed, and says why to the next Play.
void MpvVideoControl::fail(const QString& reason)
{
    failure_ = reason;
    loaded_ = false;
    seekWhenOpen_ = -1.0;
    mpv_.command({QStringLiteral("stop")});
    clearPictures();
}

// Told after the event that found the failure is done with, so a box shown by
// the handler never runs the event loop inside the player's events; a clip
// replaced meanwhile is not told about.
void MpvVideoControl::reportOpenFailure(ClipOpenFailure::Cause cause, const QString& playerReason)
{
    openFailureProbe_.probe(clipPath_, cause, playerReason, [this, request = openRequest_](const QString& message) {
        if (request == openRequest_ && openFailure_)
            openFailure_(message);
    });
}

// The full-screen window while it is up, else the control's own surface while
// it is visible.
VideoFrameView* MpvVideoControl::shownView() const
{
    if (isFullScreen())
        return fullScreen_.get();
    return surface_->isVisible() ? surface_.get() : nullptr;
}

void MpvVideoControl::clearPictures()
{
    surface_->clearPicture();
    if (fullScreen_)
        fullScreen_->clearPicture();
}

void MpvVideoControl::setFullScreen(bool on)
{
    if (!on) {
        if (isFullScreen()) {
            fullScreen_->releaseKeyboard();
            fullScreen_->hide();
            redraw();
            giveBackKeyboard();
        }
        return;
    }
    if (!fullScreen_)
        createFullScreenWindow();
    QScreen* screen = surface_->screen() ? surface_->screen() : QGuiApplication::primaryScreen();
    // The window system's full-screen state, on the screen of the program's
    // window. Without a window manager that request alone leaves a small
    // window, so the window takes the screen's geometry itself as well.
    fullScreen_->setScreen(screen);
    fullScreen_->setGeometry(screen->geometry());
    fullScreen_->showFullScreen();
    fullScreen_->raise();
    fullScreen_->activateWindow();
    // Without a window manager the keys would go to the window under the
    // pointer. A grab would also keep a screen reader's own keys from it, and
    // a window manager gives the keys to the active window by itself.
    if (!QAccessible::isActive() && !windowManagerRuns())
        fullScreen_->grabKeyboard();
}

// The keys go back to the picture's place in the program's window.
void MpvVideoControl::giveBackKeyboard()
{
    QWidget* place = surface_->parentWidget();
    if (!place)
        return;
    place->window()->activateWindow();
    place->setFocus(Qt::OtherFocusReason);
}

bool MpvVideoControl::isFullScreen() const
{
    return fullScreen_ && fullScreen_->isVisible();
}

// The window's views fill their control as the program laid it out; the
// full screen keeps the picture's proportions, with black bars.
void MpvVideoControl::createFullScreenWindow()
{
    fullScreen_ = std::make_unique<VideoFrameView>();
    fullScreen_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    fullScreen_->setWindowTitle(QStringLiteral("Tovrelle"));
    fullScreen_->setProportions(proportions_);
    fullScreen_->onMouseRelease = [this](QMouseEvent*) { setFullScreen(false); };
    fullScreen_->onEscape = [this] { setFullScreen(false); };
    fullScreen_->onShown = [this] { redraw(); };
}

QWidget* MpvVideoControl::fullScreenWindow() const
{
    return fullScreen_.get();
}

QWidget* MpvVideoControl::surface()
{
    return surface_.get();
}

void MpvVideoControl::setMouseUpHandler(MouseUpHandler handler)
{
    mouseUp_ = std::move(handler);
}

void MpvVideoControl::setDoubleClickHandler(DoubleClickHandler handler)
{
    doubleClick_ = std::move(handler);
}

void MpvVideoControl::setOpenFailureHandler(OpenFailureHandler handler)
{
    openFailure_ = std::move(handler);
}
