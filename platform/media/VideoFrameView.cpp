#include "VideoFrameView.h"

#include <cstdlib>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Rows start on 64-byte boundaries, so that the picture is written with
// whole vector stores.
constexpr qsizetype RowAlignment = 64;

QImage alignedImage(QSize size)
{
    const qsizetype stride = (qsizetype(size.width()) * 4 + RowAlignment - 1) / RowAlignment * RowAlignment;
    void* pixels = std::aligned_alloc(RowAlignment, stride * size.height());
    if (!pixels)
        return QImage();
    return QImage(static_cast<uchar*>(pixels), size.width(), size.height(), stride, QImage::Format_RGB32,
                  [](void* memory) { std::free(memory); }, pixels);
}

}  // namespace

VideoFrameView::VideoFrameView(QWidget* parent) : QWidget(parent)
{
    // The view paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void VideoFrameView::drawPicture(const std::function<void(QImage&)>& draw)
{
    if (size().isEmpty())
        return;
    if (picture_.size() != size())
        picture_ = alignedImage(size());
    if (picture_.isNull())
        return;
    draw(picture_);
    update();
}

void VideoFrameView::clearPicture()
{
    picture_ = QImage();
    update();
}

void VideoFrameView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (picture_.size() != size()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), picture_, area);
}

void VideoFrameView::showEvent(QShowEvent*)
{
    if (onShown)
        onShown();
}

void VideoFrameView::resizeEvent(QResizeEvent*)
{
    if (onShown && isVisible())
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
