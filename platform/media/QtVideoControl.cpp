#include "QtVideoControl.h"

#include <cmath>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>
#include <QVideoFrame>

#include "AppError.h"
#include "VideoFrameConverter.h"
#include "VideoFrameView.h"

QtVideoControl::QtVideoControl() : surface_(std::make_unique<VideoFrameView>())
{
    player_.setAudioOutput(&audio_);
    player_.setVideoSink(&sink_);
    connect(&sink_, &QVideoSink::videoFrameChanged, this, &QtVideoControl::takeFrame);
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
    surface_->onShown = [this] { presentFrame(); };
}

// The views go before the player so that no frame arrives at a dead view.
QtVideoControl::~QtVideoControl()
{
    disconnect(&sink_, nullptr, this, nullptr);
    fullScreen_.reset();
    surface_.reset();
}

void QtVideoControl::open(const QString& path)
{
    frame_ = QVideoFrame();
    surface_->setPicture(QImage());
    if (fullScreen_)
        fullScreen_->setPicture(QImage());
    if (path.isEmpty()) {
        player_.setSource(QUrl());
        return;
    }
    player_.setSource(QUrl::fromLocalFile(path));
    player_.play();
}

double QtVideoControl::position() const
{
    return player_.position() / 1000.0;
}

void QtVideoControl::setPosition(double seconds)
{
    player_.setPosition(std::llround(seconds * 1000.0));
}

double QtVideoControl::duration() const
{
    if (playState() == Closed)
        return 0.0;
    return player_.duration() / 1000.0;
}

VideoControl::PlayState QtVideoControl::playState() const
{
    switch (player_.mediaStatus()) {
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::InvalidMedia:
        return Closed;
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::StalledMedia:
        return player_.playbackState() == QMediaPlayer::PausedState ? Paused : Waiting;
    default:
        break;
    }
    switch (player_.playbackState()) {
    case QMediaPlayer::PlayingState:
        return Playing;
    case QMediaPlayer::PausedState:
        return Paused;
    default:
        return Stopped;
    }
}

void QtVideoControl::setSpeed(double factor)
{
    player_.setPlaybackRate(factor);
}

double QtVideoControl::speed() const
{
    return player_.playbackRate();
}

// A clip that failed to open cannot be played: that is the control's failure.
void QtVideoControl::raiseIfFailed() const
{
    if (player_.error() != QMediaPlayer::NoError)
        throw AppError(player_.errorString());
}

void QtVideoControl::play()
{
    if (player_.source().isEmpty())
        return;
    raiseIfFailed();
    player_.play();
}

void QtVideoControl::pause()
{
    raiseIfFailed();
    player_.pause();
}

void QtVideoControl::stop()
{
    player_.stop();
}

void QtVideoControl::setFullScreen(bool on)
{
    if (!on) {
        if (fullScreen_ && fullScreen_->isVisible()) {
            fullScreen_->releaseKeyboard();
            fullScreen_->hide();
        }
        return;
    }
    if (!fullScreen_)
        createFullScreenWindow();
    QScreen* screen = surface_->screen() ? surface_->screen() : QGuiApplication::primaryScreen();
    // Without a window manager a full-screen request alone leaves a small
    // window, so the window takes the screen's geometry itself.
    fullScreen_->setGeometry(screen->geometry());
    fullScreen_->setPicture(surface_->picture());
    fullScreen_->show();
    fullScreen_->raise();
    fullScreen_->activateWindow();
    fullScreen_->grabKeyboard();
}

bool QtVideoControl::isFullScreen() const
{
    return fullScreen_ && fullScreen_->isVisible();
}

void QtVideoControl::createFullScreenWindow()
{
    fullScreen_ = std::make_unique<VideoFrameView>();
    fullScreen_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    fullScreen_->onMouseRelease = [this](QMouseEvent*) { setFullScreen(false); };
    fullScreen_->onEscape = [this] { setFullScreen(false); };
    fullScreen_->onShown = [this] { presentFrame(); };
}

QWidget* QtVideoControl::fullScreenWindow() const
{
    return fullScreen_.get();
}

QWidget* QtVideoControl::surface()
{
    return surface_.get();
}

void QtVideoControl::setMouseUpHandler(MouseUpHandler handler)
{
    mouseUp_ = std::move(handler);
}

void QtVideoControl::setDoubleClickHandler(DoubleClickHandler handler)
{
    doubleClick_ = std::move(handler);
}

// Called on the UI thread for each decoded frame while the player's streaming
// thread waits, and that thread gives up on the stream for good when the wait
// outlasts its time limit. So this only keeps the frame; converting and
// painting it follow in a queued call, once for the newest of the frames that
// came meanwhile. An empty frame (a flush) leaves the last picture standing.
void QtVideoControl::takeFrame(const QVideoFrame& frame)
{
    if (!frame.isValid())
        return;
    frame_ = frame;
    if (presentQueued_)
        return;
    presentQueued_ = true;
    QMetaObject::invokeMethod(this, &QtVideoControl::presentFrame, Qt::QueuedConnection);
}

// Converts the kept frame for the views; while none is shown the frame waits,
// and the view that appears asks again.
void QtVideoControl::presentFrame()
{
    presentQueued_ = false;
    if (!frame_.isValid() || !isShown())
        return;
    const QImage picture = convertVideoFrame(frame_);
    frame_ = QVideoFrame();
    if (picture.isNull())
        return;
    surface_->setPicture(picture);
    if (isFullScreen())
        fullScreen_->setPicture(picture);
}

bool QtVideoControl::isShown() const
{
    return surface_->isVisible() || isFullScreen();
}
