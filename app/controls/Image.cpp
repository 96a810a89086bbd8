#include "Image.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ActivationKey.h"
#include "AppError.h"
#include "ErrorReporting.h"
#include "JpegDecoder.h"
#include "QuotedValue.h"

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void TImage::loadPicture(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension != QStringLiteral("jpg") && extension != QStringLiteral("jpeg"))
        throw AppError(QStringLiteral("Unknown picture file extension (.%1)").arg(quotedValue(extension)));
    setPicture(JpegDecoder::decodeFile(path));
}

void TImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void TImage::mouseMoveEvent(QMouseEvent* event)
{
    if (!OnMouseMove)
        return event->ignore();
    const QPoint at = event->position().toPoint();
    runGuarded([&] { OnMouseMove(event->modifiers(), at.x(), at.y()); });
}

void TImage::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    if (!OnClick && !OnMouseUp)
        event->ignore();
}

// A double-click is one click, then a second press that clicks nothing: its
// release still reports the button's release.
void TImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    pressed_ = false;
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool clicked = pressed_ && event->button() == Qt::LeftButton && rect().contains(at);
    pressed_ = false;
    if (!OnClick && !OnMouseUp)
        return event->ignore();
    // Like the original control, a click comes before the button's release.
    if (clicked && OnClick)
        runGuarded([&] { OnClick(); });
    if (OnMouseUp)
        runGuarded([&] { OnMouseUp(event->button(), event->modifiers(), at.x(), at.y()); });
}

// A key held down clicks once.
void TImage::keyPressEvent(QKeyEvent* event)
{
    if (!OnClick || !isActivationKey(*event))
        return QWidget::keyPressEvent(event);
    if (!event->isAutoRepeat())
        runGuarded([&] { OnClick(); });
}
