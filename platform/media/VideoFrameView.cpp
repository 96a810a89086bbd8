#include "VideoFrameView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

VideoFrameView::VideoFrameView(QWidget* parent) : QWidget(parent)
{
    // The view paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoFrameView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void VideoFrameView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
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
