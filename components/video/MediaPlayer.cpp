#include "MediaPlayer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "ActivationKey.h"
#include "AppError.h"
#include "ErrorReporting.h"
#include "MciError.h"

TMediaPlayer::TMediaPlayer(QWidget* parent, std::unique_ptr<WaveDevice> device)
    : QWidget(parent), device_(std::move(device))
{
    setFixedSize(BarWidth, BarHeight);
    setFocusPolicy(Qt::StrongFocus);
}

void TMediaPlayer::Open()
{
    check(device_->open(fileName_));
}

void TMediaPlayer::Play()
{
    requireOpen();
    check(device_->play());
}

void TMediaPlayer::Pause()
{
    requireOpen();
    if (device_->mode() == WaveDevice::Playing)
        check(device_->pause());
    else if (device_->mode() == WaveDevice::Paused)
        check(device_->play());
}

void TMediaPlayer::Stop()
{
    requireOpen();
    check(device_->stop());
}

void TMediaPlayer::requireOpen() const
{
    if (!device_->isOpen())
        throw AppError(QStringLiteral("No MCI device open"));
}

void TMediaPlayer::check(int errorCode) const
{
    if (errorCode == MciError::None)
        return;
    const QString text = MciError::text(errorCode);
    throw AppError(text.isEmpty() ? QStringLiteral("Unknown error code") : text);
}

void TMediaPlayer::click(int button)
{
    runGuarded([&] {
        bool doDefault = true;
        if (OnClick)
            OnClick(button, doDefault);
        if (doDefault)
            doDefaultAction(button);
    });
}

// The bar's own action after the handler: Pause acts only on a sound that is
// playing or paused.
void TMediaPlayer::doDefaultAction(int button)
{
    switch (button) {
    case btPlay:
        Play();
        break;
    case btPause:
        if (device_->mode() == WaveDevice::Playing || device_->mode() == WaveDevice::Paused)
            Pause();
        break;
    case btStop:
        Stop();
        break;
    }
}

QRect TMediaPlayer::buttonRect(int button) const
{
    const int left = button * width() / ButtonCount;
    const int right = (button + 1) * width() / ButtonCount;
    return QRect(left, 0, right - left, height());
}

int TMediaPlayer::buttonAt(const QPoint& pos) const
{
    for (int button = 0; button < ButtonCount; ++button) {
        if (buttonRect(button).contains(pos))
            return button;
    }
    return -1;
}

void TMediaPlayer::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int button = 0; button < ButtonCount; ++button)
        paintButton(painter, button);
}

// A classic grey push button: black outer edge, white and dark grey bevel
// (reversed while pressed), and a black glyph.
void TMediaPlayer::paintButton(QPainter& painter, int button) const
{
    const QRect r = buttonRect(button).adjusted(0, 0, -1, -1);
    const bool down = button == pressed_;
    painter.fillRect(r, QColor(0xC0, 0xC0, 0xC0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawRect(r);
    const QRect bevel = r.adjusted(1, 1, -1, -1);
    painter.setPen(down ? QColor(0x80, 0x80, 0x80) : Qt::white);
    painter.drawLine(bevel.topLeft(), bevel.topRight());
    painter.drawLine(bevel.topLeft(), bevel.bottomLeft());
    painter.setPen(down ? QColor(0xC0, 0xC0, 0xC0) : QColor(0x80, 0x80, 0x80));
    painter.drawLine(bevel.bottomLeft(), bevel.bottomRight());
    painter.drawLine(bevel.topRight(), bevel.bottomRight());

    const QPoint c = r.center() + (down ? QPoint(1, 1) : QPoint(0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    if (button == btPlay)
        painter.drawPolygon(QPolygon({c + QPoint(-3, -5), c + QPoint(-3, 5), c + QPoint(3, 0)}));
    else if (button == btPause)
        painter.drawRects(QList<QRect>{QRect(c.x() - 4, c.y() - 4, 3, 9), QRect(c.x() + 1, c.y() - 4, 3, 9)});
    else
        painter.drawRect(QRect(c.x() - 4, c.y() - 4, 9, 9));
    if (hasFocus() && button == focused_) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(r.adjusted(3, 3, -3, -3));
    }
}

void TMediaPlayer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = buttonAt(event->position().toPoint());
    update();
}

// A button clicks when the mouse is released over the button it was pressed on.
void TMediaPlayer::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || pressed_ < 0)
        return;
    const int button = pressed_;
    pressed_ = -1;
    update();
    if (buttonAt(event->position().toPoint()) == button)
        click(button);
}

// Left and Right move between the buttons; Return, Enter and Space click the
// focused one.
void TMediaPlayer::keyPressEvent(QKeyEvent* event)
{
    if (isActivationKey(*event)) {
        // A key held down clicks once.
        if (!event->isAutoRepeat())
            click(focused_);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        focused_ = (focused_ + ButtonCount - 1) % ButtonCount;
        break;
    case Qt::Key_Right:
        focused_ = (focused_ + 1) % ButtonCount;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
    emit cursorMoved(focused_);
}
