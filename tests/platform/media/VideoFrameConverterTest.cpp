#include <algorithm>
#include <cmath>
#include <vector>

#include <QVideoFrame>

#include <gtest/gtest.h>

#include "TestApplication.h"
#include "VideoFrameConverter.h"

namespace {

using Format = QVideoFrameFormat;

// The sample values of a test frame: gradients that reach both ends of the
// byte range, so that clamping is checked too.
int lumaAt(int x, int y) { return (x * 13 + y * 7) & 255; }
int cbAt(int cx, int cy) { return (cx * 5 + cy * 11 + 40) & 255; }
int crAt(int cx, int cy) { return (cx * 3 + cy * 17 + 90) & 255; }

// A frame laid out in memory as a decoder delivers it: planes with padded rows,
// chroma rows rounded up for odd sizes.
struct TestFrame {
    std::vector<std::vector<uchar>> storage;
    VideoPlanes planes;

    uchar* plane(int i) { return storage[i].data(); }
    void addPlane(int rowBytes, int rows)
    {
        const int stride = rowBytes + 13;  // rows padded, as pools do
        storage.emplace_back(size_t(stride) * rows, 0xAB);
        const int i = planes.planeCount++;
        planes.data[i] = storage.back().data();
        planes.stride[i] = stride;
        planes.bytes[i] = qsizetype(storage.back().size());
    }
};

// Chroma sits at (x / 2, y / chromaRowsDivisor) for every layout here.
TestFrame makeFrame(Format::PixelFormat format, QSize size)
{
    TestFrame f;
    f.storage.reserve(3);
    f.planes.pixelFormat = format;
    f.planes.size = size;
    const int w = size.width(), h = size.height(), cw = (w + 1) / 2, ch = (h + 1) / 2;
    auto fillLuma = [&](int i) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                f.plane(i)[y * f.planes.stride[i] + x] = uchar(lumaAt(x, y));
    };
    auto fillChroma = [&](int i, int rows, int step, int offset, int (*value)(int, int)) {
        for (int cy = 0; cy < rows; ++cy)
            for (int cx = 0; cx < cw; ++cx)
                f.plane(i)[cy * f.planes.stride[i] + cx * step + offset] = uchar(value(cx, cy));
    };
    switch (format) {
    case Format::Format_YUV420P:
    case Format::Format_YV12: {
        const bool yv12 = format == Format::Format_YV12;
        f.addPlane(w, h), f.addPlane(cw, ch), f.addPlane(cw, ch);
        fillLuma(0);
        fillChroma(yv12 ? 2 : 1, ch, 1, 0, cbAt);
        fillChroma(yv12 ? 1 : 2, ch, 1, 0, crAt);
        break;
    }
    case Format::Format_YUV422P:
        f.addPlane(w, h), f.addPlane(cw, h), f.addPlane(cw, h);
        fillLuma(0);
        fillChroma(1, h, 1, 0, cbAt);
        fillChroma(2, h, 1, 0, crAt);
        break;
    case Format::Format_NV12:
    case Format::Format_NV21: {
        const bool nv21 = format == Format::Format_NV21;
        f.addPlane(w, h), f.addPlane(2 * cw, ch);
        fillLuma(0);
        fillChroma(1, ch, 2, nv21 ? 1 : 0, cbAt);
        fillChroma(1, ch, 2, nv21 ? 0 : 1, crAt);
        break;
    }
    default:
        ADD_FAILURE() << "no test layout for format " << format;
    }
    return f;
}

int chromaRow(Format::PixelFormat format, int y) { return format == Format::Format_YUV422P ? y : y / 2; }

// The textbook conversion in floating point.
QRgb referencePixel(int y, int cb, int cr, double kr, double kb, bool full)
{
    const double luma = full ? y : (y - 16) * 255.0 / 219.0;
    const double scale = full ? 1.0 : 255.0 / 224.0;
    const double pb = (cb - 128) * scale, pr = (cr - 128) * scale;
    const double kg = 1.0 - kr - kb;
    auto clamp = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    return qRgb(clamp(luma + 2 * (1 - kr) * pr),
                clamp(luma - 2 * kb * (1 - kb) / kg * pb - 2 * kr * (1 - kr) / kg * pr),
                clamp(luma + 2 * (1 - kb) * pb));
}

// libyuv's tables cap the Cb-to-blue factor at 2.0 (BT.709 wants 2.112), so
// under BT.709 blue may be off by 0.1125 per step of Cb from grey.
double blueCapError(double kb, int cb) { return kb < 0.1 ? 0.1125 * std::abs(cb - 128) : 0.0; }

// The largest per-channel difference from the reference over the whole picture,
// beyond the tolerance.
int largestDifference(const QImage& picture, Format::PixelFormat format, double kr, double kb, bool full)
{
    int worst = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int cy = chromaRow(format, y);
            const int cb = cbAt(x / 2, cy);
            const QRgb want = referencePixel(lumaAt(x, y), cb, crAt(x / 2, cy), kr, kb, full);
            const QRgb got = picture.pixel(x, y);
            const int blue = std::abs(qBlue(got) - qBlue(want)) - int(blueCapError(kb, cb));
            worst = std::max({worst, std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)), blue});
        }
    }
    return worst;
}

struct MatrixCase {
    const char* name;
    Format::ColorSpace space;
    Format::ColorRange range;
    double kr, kb;
    bool full;
};

const MatrixCase matrices[] = {
    {"BT601", Format::ColorSpace_BT601, Format::ColorRange_Video, 0.299, 0.114, false},
    {"BT709", Format::ColorSpace_BT709, Format::ColorRange_Video, 0.2126, 0.0722, false},
    {"BT601full", Format::ColorSpace_BT601, Format::ColorRange_Full, 0.299, 0.114, true},
    {"unsaidSD", Format::ColorSpace_Undefined, Format::ColorRange_Unknown, 0.299, 0.114, false},
};

TEST(VideoFrameConverter, PlanarLayoutsMatchTheReferenceAtOddAndEvenSizes)
{
    const Format::PixelFormat formats[] = {Format::Format_YUV420P, Format::Format_YV12, Format::Format_NV12,
                                           Format::Format_NV21, Format::Format_YUV422P};
    for (Format::PixelFormat format : formats) {
        for (QSize size : {QSize(721, 541), QSize(64, 48)}) {
            for (const MatrixCase& m : matrices) {
                TestFrame frame = makeFrame(format, size);
                frame.planes.colorSpace = m.space;
                frame.planes.colorRange = m.range;
                const QImage picture = convertVideoPlanes(frame.planes);
                SCOPED_TRACE(testing::Message() << "format " << format << " " << size.width() << "x"
                                                << size.height() << " " << m.name);
                ASSERT_EQ(picture.size(), size);
                EXPECT_EQ(picture.format(), QImage::Format_RGB32);
                EXPECT_LE(largestDifference(picture, format, m.kr, m.kb, m.full), 3);
            }
        }
    }
}

// Planes shorter than the frame's rows, or missing, are refused rather than
// read past their end.
TEST(VideoFrameConverter, PlanesTooSmallForTheFrameAreRefused)
{
    TestFrame good = makeFrame(Format::Format_YUV420P, QSize(721, 541));
    ASSERT_FALSE(convertVideoPlanes(good.planes).isNull());

    TestFrame shortChroma = makeFrame(Format::Format_YUV420P, QSize(721, 541));
    shortChroma.planes.bytes[2] = shortChroma.planes.stride[2] * 270 + 361 - 1;
    EXPECT_TRUE(convertVideoPlanes(shortChroma.planes).isNull());

    TestFrame narrowRows = makeFrame(Format::Format_NV12, QSize(721, 541));
    narrowRows.planes.stride[1] = 720;
    EXPECT_TRUE(convertVideoPlanes(narrowRows.planes).isNull());

    TestFrame missingPlane = makeFrame(Format::Format_YUV420P, QSize(64, 48));
    missingPlane.planes.planeCount = 2;
    EXPECT_TRUE(convertVideoPlanes(missingPlane.planes).isNull());

    VideoPlanes unknown = good.planes;
    unknown.pixelFormat = Format::Format_Jpeg;
    EXPECT_TRUE(convertVideoPlanes(unknown).isNull());
}

// Frames as Qt hands them over: a mapped I420 frame and a BGRA one, and an
// invalid frame.
TEST(VideoFrameConverter, ConvertsQtFrames)
{
    testApplication();
    QVideoFrame yuv(Format(QSize(64, 48), Format::Format_YUV420P));
    ASSERT_TRUE(yuv.map(QVideoFrame::WriteOnly));
    std::fill_n(yuv.bits(0), yuv.mappedBytes(0), uchar(235));  // white
    std::fill_n(yuv.bits(1), yuv.mappedBytes(1), uchar(128));
    std::fill_n(yuv.bits(2), yuv.mappedBytes(2), uchar(128));
    yuv.unmap();
    const QImage white = convertVideoFrame(yuv);
    ASSERT_EQ(white.size(), QSize(64, 48));
    EXPECT_EQ(white.pixel(63, 47), qRgb(255, 255, 255));

    QVideoFrame bgra(Format(QSize(5, 3), Format::Format_BGRA8888));
    ASSERT_TRUE(bgra.map(QVideoFrame::WriteOnly));
    for (int y = 0; y < 3; ++y) {
        uchar* row = bgra.bits(0) + y * bgra.bytesPerLine(0);
        for (int x = 0; x < 5; ++x) {
            row[4 * x] = 10, row[4 * x + 1] = 20, row[4 * x + 2] = uchar(30 + x), row[4 * x + 3] = 255;
        }
    }
    bgra.unmap();
    const QImage rgb = convertVideoFrame(bgra);
    ASSERT_EQ(rgb.size(), QSize(5, 3));
    EXPECT_EQ(rgb.pixel(4, 2), qRgb(34, 20, 10));

    EXPECT_TRUE(convertVideoFrame(QVideoFrame()).isNull());
}

}  // namespace
