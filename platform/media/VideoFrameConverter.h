#pragma once

#include <array>

#include <QImage>
#include <QSize>
#include <QVideoFrameFormat>

class QVideoFrame;

// Turns decoded video frames into pictures the views paint, on the processor
// with the SIMD routines of libyuv. A picture painted by a plain widget has to
// end up in main memory anyway, so a round trip through OpenGL never saves
// work, and without a graphics processor it costs a software renderer per frame.

// The bytes of one mapped frame: up to three planes with their row length in
// bytes (stride) and the bytes readable from each plane's start.
struct VideoPlanes {
    QVideoFrameFormat::PixelFormat pixelFormat = QVideoFrameFormat::Format_Invalid;
    QVideoFrameFormat::ColorSpace colorSpace = QVideoFrameFormat::ColorSpace_Undefined;
    QVideoFrameFormat::ColorRange colorRange = QVideoFrameFormat::ColorRange_Unknown;
    QSize size;
    int planeCount = 0;
    std::array<const uchar*, 3> data{};
    std::array<int, 3> stride{};
    std::array<qsizetype, 3> bytes{};
};

// The planes as a 32-bit RGB picture of the frame's size, in the frame's colour
// matrix and range. A null picture for a layout this path does not convert, and
// for planes too small for the frame's size.
QImage convertVideoPlanes(const VideoPlanes& planes);

// The frame as a 32-bit RGB picture of its own size. Frames the fast path does
// not convert go through Qt's own conversion. Null when the frame cannot be read.
QImage convertVideoFrame(const QVideoFrame& frame);

// Scales a 32-bit picture with bilinear filtering into target, which keeps its
// buffer when it already has the size asked for.
void scalePicture(const QImage& picture, QSize size, QImage& target);
