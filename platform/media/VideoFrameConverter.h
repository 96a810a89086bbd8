#pragma once

#include <QImage>
#include <QSize>

class QVideoFrame;

// Turns decoded video frames into pictures the views paint, on the processor
// with the SIMD routines of libyuv. A picture painted by a plain widget has to
// end up in main memory anyway, so a round trip through OpenGL never saves
// work, and without a graphics processor it costs a software renderer per frame.

// The frame as a 32-bit RGB picture of the frame's own size, in the frame's
// colour matrix and range. Formats the fast path does not know go through Qt's
// own conversion. A null picture when the frame cannot be read.
QImage convertVideoFrame(const QVideoFrame& frame);

// Scales a 32-bit RGB picture with bilinear filtering into target, which keeps
// its buffer when it already has the size asked for.
void scalePicture(const QImage& picture, QSize size, QImage& target);
