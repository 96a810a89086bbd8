#include "ActiveMovie.h"

#include <algorithm>
#include <cmath>

#include <QResizeEvent>

#include "SpeedBadge.h"

TActiveMovie::TActiveMovie(QWidget* parent, std::unique_ptr<VideoControl> control)
    : QWidget(parent), control_(std::move(control)), speedBadge_(new SpeedBadge(this))
{
    QWidget* surface = control_->surface();
    surface->setParent(this);
    surface->setGeometry(rect());
    surface->show();
    control_->setMouseUpHandler([this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
        if (OnMouseUp)
            OnMouseUp(button, modifiers, x, y);
    });
    control_->setDoubleClickHandler([this] {
        if (OnDblClick)
            OnDblClick();
    });
    control_->setOpenFailureHandler([this](const QString& message) {
        if (OnOpenFailure)
            OnOpenFailure(message);
    });
}

// The control owns its surface, a child of this widget: it goes first, while
// this widget still stands.
TActiveMovie::~TActiveMovie()
{
    delete speedBadge_;  // it may stand in the control's full-screen window
    control_.reset();
}

QString TActiveMovie::FileName() const
{
    return fileName_;
}

void TActiveMovie::setFileName(const QString& fileName)
{
    fileName_ = fileName;
    control_->open(fileName);
    control_->setSpeed(Speed());
}

double TActiveMovie::CurrentPosition() const
{
    return control_->position();
}

void TActiveMovie::setCurrentPosition(double seconds)
{
    control_->setPosition(seconds);
}

bool TActiveMovie::Seeking() const
{
    return control_->isSeeking();
}

double TActiveMovie::Duration() const
{
    return control_->duration();
}

int TActiveMovie::PlayState() const
{
    return control_->playState();
}

int TActiveMovie::DisplaySize() const
{
    return control_->isFullScreen() ? FullScreenDisplay : displaySize_;
}

void TActiveMovie::setDisplaySize(int displaySize)
{
    if (displaySize == FullScreenDisplay) {
        control_->setFullScreen(true);
        return;
    }
    displaySize_ = displaySize;
    control_->setFullScreen(false);
}

double TActiveMovie::Speed() const
{
    return speedTenths_ / 10.0;
}

// Held in tenths, so that steps up and down never drift off the 0.1 grid.
void TActiveMovie::setSpeed(double factor)
{
    if (std::isnan(factor))
        return;
    const double tenths = std::clamp(factor * 10.0, MinimumSpeed * 10.0, MaximumSpeed * 10.0);
    speedTenths_ = int(std::lround(tenths));
    control_->setSpeed(Speed());
    showSpeedBadge();
}

// Over the picture where it is shown: in this widget or on the full screen.
void TActiveMovie::showSpeedBadge()
{
    QWidget* over = FullScreenMode() ? control_->fullScreenWindow() : this;
    if (speedBadge_->parentWidget() != over)
        speedBadge_->setParent(over);
    speedBadge_->showSpeed(Speed());
}

void TActiveMovie::Play()
{
    control_->play();
}

void TActiveMovie::Pause()
{
    const auto state = control_->playState();
    if (state == VideoControl::Playing || state == VideoControl::Waiting)
        control_->pause();
}

void TActiveMovie::Stop()
{
    control_->stop();
}

bool TActiveMovie::FullScreenMode() const
{
    return control_->isFullScreen();
}

QWidget* TActiveMovie::fullScreenWindow() const
{
    return FullScreenMode() ? control_->fullScreenWindow() : nullptr;
}

void TActiveMovie::setFullScreenMode(bool on)
{
    if (on)
        setDisplaySize(FullScreenDisplay);
    else
        setDisplaySize(displaySize_);
}

void TActiveMovie::resizeEvent(QResizeEvent* event)
{
    control_->surface()->setGeometry(QRect(QPoint(0, 0), event->size()));
}
