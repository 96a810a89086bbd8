#include "VideoFrameConverter.h"

#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <libyuv/convert_argb.h>
#include <libyuv/scale_argb.h>

namespace {

using Format = QVideoFrameFormat;

// Frames that say nothing of their matrix follow the usual rule of players:
// standard definition is BT.601, anything larger BT.709.
const libyuv::YuvConstants* colourMatrix(const QVideoFrameFormat& format)
{
    const bool full = format.colorRange() == Format::ColorRange_Full;
    switch (format.colorSpace()) {
    case Format::ColorSpace_BT601:
        return full ? &libyuv::kYuvJPEGConstants : &libyuv::kYuvI601Constants;
    case Format::ColorSpace_BT709:
        return full ? &libyuv::kYuvF709Constants : &libyuv::kYuvH709Constants;
    case Format::ColorSpace_BT2020:
        return full ? &libyuv::kYuvV2020Constants : &libyuv::kYuv2020Constants;
    default:
        break;
    }
    if (format.frameHeight() < 720)
        return full ? &libyuv::kYuvJPEGConstants : &libyuv::kYuvI601Constants;
    return full ? &libyuv::kYuvF709Constants : &libyuv::kYuvH709Constants;
}

// Converts a mapped frame of the YUV layouts decoders deliver; false for any
// other layout, and for packed 4:2:2 outside limited-range BT.601, the only
// matrix libyuv has for it.
bool convertYuv(const QVideoFrame& frame, QImage& picture)
{
    const libyuv::YuvConstants* matrix = colourMatrix(frame.surfaceFormat());
    uint8_t* out = picture.bits();
    const int outStride = int(picture.bytesPerLine());
    const int w = frame.width();
    const int h = frame.height();
    auto plane = [&](int i) { return frame.bits(i); };
    auto stride = [&](int i) { return frame.bytesPerLine(i); };
    switch (frame.pixelFormat()) {
    case Format::Format_YUV420P:
        return libyuv::I420ToARGBMatrix(plane(0), stride(0), plane(1), stride(1), plane(2), stride(2), out, outStride,
                                        matrix, w, h) == 0;
    case Format::Format_YV12:
        return libyuv::I420ToARGBMatrix(plane(0), stride(0), plane(2), stride(2), plane(1), stride(1), out, outStride,
                                        matrix, w, h) == 0;
    case Format::Format_YUV422P:
        return libyuv::I422ToARGBMatrix(plane(0), stride(0), plane(1), stride(1), plane(2), stride(2), out, outStride,
                                        matrix, w, h) == 0;
    case Format::Format_NV12:
        return libyuv::NV12ToARGBMatrix(plane(0), stride(0), plane(1), stride(1), out, outStride, matrix, w, h) == 0;
    case Format::Format_NV21:
        return libyuv::NV21ToARGBMatrix(plane(0), stride(0), plane(1), stride(1), out, outStride, matrix, w, h) == 0;
    case Format::Format_YUYV:
        return matrix == &libyuv::kYuvI601Constants
            && libyuv::YUY2ToARGB(plane(0), stride(0), out, outStride, w, h) == 0;
    case Format::Format_UYVY:
        return matrix == &libyuv::kYuvI601Constants
            && libyuv::UYVYToARGB(plane(0), stride(0), out, outStride, w, h) == 0;
    default:
        return false;
    }
}

// RGB frames only need their bytes copied into a picture of our own.
QImage copyRgb(const QVideoFrame& frame)
{
    const QImage::Format format = Format::imageFormatFromPixelFormat(frame.pixelFormat());
    if (format == QImage::Format_Invalid)
        return {};
    const QImage wrapped(frame.bits(0), frame.width(), frame.height(), frame.bytesPerLine(0), format);
    return wrapped.format() == QImage::Format_RGB32 ? wrapped.copy() : wrapped.convertToFormat(QImage::Format_RGB32);
}

QImage convertMapped(const QVideoFrame& frame)
{
    QImage picture = copyRgb(frame);
    if (!picture.isNull())
        return picture;
    picture = QImage(frame.size(), QImage::Format_RGB32);
    if (picture.isNull() || !convertYuv(frame, picture))
        return {};
    return picture;
}

}  // namespace

QImage convertVideoFrame(const QVideoFrame& source)
{
    QVideoFrame frame = source;
    if (!frame.isValid() || frame.size().isEmpty() || !frame.map(QVideoFrame::ReadOnly))
        return {};
    QImage picture = convertMapped(frame);
    frame.unmap();
    if (picture.isNull())
        picture = source.toImage().convertToFormat(QImage::Format_RGB32);
    return picture;
}

void scalePicture(const QImage& picture, QSize size, QImage& target)
{
    if (target.size() != size || target.format() != QImage::Format_RGB32)
        target = QImage(size, QImage::Format_RGB32);
    if (target.isNull() || picture.isNull())
        return;
    const QImage source = picture.depth() == 32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    libyuv::ARGBScale(source.constBits(), int(source.bytesPerLine()), source.width(), source.height(),
                      target.bits(), int(target.bytesPerLine()), target.width(), target.height(),
                      libyuv::kFilterBilinear);
}
