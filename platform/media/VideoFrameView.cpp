#include "VideoFrameView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "VideoFrameConverter.h"

VideoFrameView::VideoFrameView(QWidget* parent) : QWidget(parent)
{
    // The view paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void VideoFrameView::setPicture(const QImage& picture)
{
    picture_ = picture;
    scaledIsCurrent_ = false;
    update();
}

// Scaling happens here, once for each picture and size, so that a paint only
// copies pixels: a smooth-scaling painter would filter the whole frame again
// for every region it repaints.
const QImage& VideoFrameView::pictureAtViewSize()
{
    if (picture_.size() == size()) {
        scaled_ = QImage();
        return picture_;
    }
    if (!scaledIsCurrent_ || scaled_.size() != size()) {
        scalePicture(picture_, size(), scaled_);
        scaledIsCurrent_ = true;
    }
    return scaled_;
}

void VideoFrameView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (picture_.isNull()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), pictureAtViewSize(), area);
}

void VideoFrameView::showEvent(QShowEvent*)
{
    if (onShown)
        onShown();
}

void VideoFrameView::mouseReleaseEvent(QMouseEvent* event)
{
    if (onMouseRelease)
        onMouseRelease(event);
}

void VideoFrameView::mouseDoubleClickEvent(QMouseEvent*)
{
    if (onDoubleClick)
        onDoubleClick();
}

void VideoFrameView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && onEscape) {
        onEscape();
        return;
    }
    QWidget::keyPressEvent(event);
}
