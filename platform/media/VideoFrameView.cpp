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

void VideoFrameView::setProportions(double widthOverHeight)
{
    if (widthOverHeight == proportions_)
        return;
    proportions_ = widthOverHeight;
    update();
    if (onShown && isVisible())
        onShown();
}

QRect VideoFrameView::pictureArea() const
{
    if (proportions_ <= 0.0 || size().isEmpty())
        return rect();
    const QSizeF exact = QSizeF(proportions_, 1.0).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QSize fitted(qRound(exact.width()), qRound(exact.height()));
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

QSize VideoFrameView::pixelSize() const
{
    return (QSizeF(pictureArea().size()) * devicePixelRatioF()).toSize();
}

void VideoFrameView::drawPicture(const std::function<void(QImage&)>& draw)
{
    const QSize pixels = pixelSize();
    if (pixels.isEmpty())
        return;
    if (picture_.size() != pixels) {
        picture_ = alignedImage(pixels);
        picture_.setDevicePixelRatio(devicePixelRatioF());
    }
    if (picture_.isNull())
        return;
    draw(picture_);
    update(pictureArea());
}

void VideoFrameView::clearPicture()
{
    picture_ = QImage();
    update();
}

// The picture is copied as it is, pixel for pixel, at its place.
void VideoFrameView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect picture = pictureArea();
    const QRegion bars = QRegion(event->rect()) - (picture_.size() == pixelSize() ? picture : QRect());
    for (const QRect& bar : bars)
        painter.fillRect(bar, Qt::black);
    const QRect shown = event->rect() & picture;
    if (picture_.size() != pixelSize() || shown.isEmpty())
        return;
    const qreal ratio = picture_.devicePixelRatio();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPointF(shown.topLeft()), picture_,
                      QRectF(QPointF(shown.topLeft() - picture.topLeft()) * ratio, QSizeF(shown.size()) * ratio));
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
