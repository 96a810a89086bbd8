#include "VideoFrameConverter.h"

#include <algorithm>
#include <vector>

#include <QVideoFrame>

#include <libyuv/convert_argb.h>
#include <libyuv/scale_argb.h>

namespace {

using Format = QVideoFrameFormat;

// Frames that say nothing of their matrix follow the usual rule of players:
// standard definition is BT.601, anything larger BT.709.
const libyuv::YuvConstants* colourMatrix(const VideoPlanes& planes)
{
    const bool full = planes.colorRange == Format::ColorRange_Full;
    switch (planes.colorSpace) {
    case Format::ColorSpace_BT601:
        return full ? &libyuv::kYuvJPEGConstants : &libyuv::kYuvI601Constants;
    case Format::ColorSpace_BT709:
        return full ? &libyuv::kYuvF709Constants : &libyuv::kYuvH709Constants;
    case Format::ColorSpace_BT2020:
        return full ? &libyuv::kYuvV2020Constants : &libyuv::kYuv2020Constants;
    default:
        break;
    }
    if (planes.size.height() < 720)
        return full ? &libyuv::kYuvJPEGConstants : &libyuv::kYuvI601Constants;
    return full ? &libyuv::kYuvF709Constants : &libyuv::kYuvH709Constants;
}

// Bytes in one row and number of rows of a plane.
struct PlaneShape {
    qsizetype rowBytes = 0;
    qsizetype rows = 0;
};

// The planes each layout has at a size; empty for layouts not converted here.
std::vector<PlaneShape> planeShapes(Format::PixelFormat format, QSize size)
{
    const qsizetype w = size.width(), h = size.height();
    const qsizetype halfW = (w + 1) / 2, halfH = (h + 1) / 2;
    switch (format) {
    case Format::Format_YUV420P:
    case Format::Format_YV12:
        return {{w, h}, {halfW, halfH}, {halfW, halfH}};
    case Format::Format_YUV422P:
        return {{w, h}, {halfW, h}, {halfW, h}};
    case Format::Format_NV12:
    case Format::Format_NV21:
        return {{w, h}, {2 * halfW, halfH}};
    case Format::Format_YUYV:
    case Format::Format_UYVY:
        return {{4 * halfW, h}};
    default:
        break;
    }
    const QImage::Format image = Format::imageFormatFromPixelFormat(format);
    if (image == QImage::Format_Invalid)
        return {};
    return {{w * QImage::toPixelFormat(image).bitsPerPixel() / 8, h}};
}

// True when every plane the layout needs is there and holds all its rows.
bool planesCoverFrame(const VideoPlanes& planes)
{
    const std::vector<PlaneShape> shapes = planeShapes(planes.pixelFormat, planes.size);
    if (shapes.empty() || planes.planeCount < int(shapes.size()))
        return false;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const PlaneShape& shape = shapes[i];
        if (!planes.data[i] || planes.stride[i] < shape.rowBytes)
            return false;
        if (planes.bytes[i] < planes.stride[i] * (shape.rows - 1) + shape.rowBytes)
            return false;
    }
    return true;
}

// Packed 4:2:2 has only the limited-range BT.601 matrix in libyuv.
bool convertYuv(const VideoPlanes& planes, QImage& picture)
{
    const libyuv::YuvConstants* matrix = colourMatrix(planes);
    uint8_t* out = picture.bits();
    const int outStride = int(picture.bytesPerLine());
    const int w = planes.size.width(), h = planes.size.height();
    const auto& p = planes.data;
    const auto& s = planes.stride;
    switch (planes.pixelFormat) {
    case Format::Format_YUV420P:
        return libyuv::I420ToARGBMatrix(p[0], s[0], p[1], s[1], p[2], s[2], out, outStride, matrix, w, h) == 0;
    case Format::Format_YV12:
        return libyuv::I420ToARGBMatrix(p[0], s[0], p[2], s[2], p[1], s[1], out, outStride, matrix, w, h) == 0;
    case Format::Format_YUV422P:
        return libyuv::I422ToARGBMatrix(p[0], s[0], p[1], s[1], p[2], s[2], out, outStride, matrix, w, h) == 0;
    case Format::Format_NV12:
        return libyuv::NV12ToARGBMatrix(p[0], s[0], p[1], s[1], out, outStride, matrix, w, h) == 0;
    case Format::Format_NV21:
        return libyuv::NV21ToARGBMatrix(p[0], s[0], p[1], s[1], out, outStride, matrix, w, h) == 0;
    case Format::Format_YUYV:
        return matrix == &libyuv::kYuvI601Constants && libyuv::YUY2ToARGB(p[0], s[0], out, outStride, w, h) == 0;
    case Format::Format_UYVY:
        return matrix == &libyuv::kYuvI601Constants && libyuv::UYVYToARGB(p[0], s[0], out, outStride, w, h) == 0;
    default:
        return false;
    }
}

// RGB and grey frames only need their bytes copied into a picture of our own.
QImage copyRgb(const VideoPlanes& planes)
{
    const QImage::Format format = Format::imageFormatFromPixelFormat(planes.pixelFormat);
    if (format == QImage::Format_Invalid)
        return {};
    const QImage wrapped(planes.data[0], planes.size.width(), planes.size.height(), planes.stride[0], format);
    return wrapped.format() == QImage::Format_RGB32 ? wrapped.copy() : wrapped.convertToFormat(QImage::Format_RGB32);
}

VideoPlanes planesOf(const QVideoFrame& mapped)
{
    const QVideoFrameFormat format = mapped.surfaceFormat();
    VideoPlanes planes;
    planes.pixelFormat = format.pixelFormat();
    planes.colorSpace = format.colorSpace();
    planes.colorRange = format.colorRange();
    planes.size = mapped.size();
    planes.planeCount = std::min(mapped.planeCount(), 3);
    for (int i = 0; i < planes.planeCount; ++i) {
        planes.data[i] = mapped.bits(i);
        planes.stride[i] = mapped.bytesPerLine(i);
        planes.bytes[i] = mapped.mappedBytes(i);
    }
    return planes;
}

}  // namespace

QImage convertVideoPlanes(const VideoPlanes& planes)
{
    if (planes.size.isEmpty() || !planesCoverFrame(planes))
        return {};
    QImage picture = copyRgb(planes);
    if (!picture.isNull())
        return picture;
    picture = QImage(planes.size, QImage::Format_RGB32);
    if (picture.isNull() || !convertYuv(planes, picture))
        return {};
    return picture;
}

QImage convertVideoFrame(const QVideoFrame& source)
{
    QVideoFrame frame = source;
    if (!frame.isValid() || !frame.map(QVideoFrame::ReadOnly))
        return {};
    QImage picture = convertVideoPlanes(planesOf(frame));
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
