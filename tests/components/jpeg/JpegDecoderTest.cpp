#include <cstdio>
#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <jpeglib.h>
#include <jerror.h>

#include "AppError.h"
#include "JpegDecoder.h"
#include "JpegEncoding.h"

namespace {

// A 40 × 30 picture, red on the left half and blue on the right.
QByteArray redBlue(bool progressive = false)
{
    const SampleFill halves = [](int x, int) {
        return x < 20 ? std::vector<JSAMPLE>{255, 0, 0} : std::vector<JSAMPLE>{0, 0, 255};
    };
    return encode(40, 30, 3, JCS_RGB, halves, true, progressive);
}

// True when the colour lies within a few steps of the expected one (JPEG is lossy).
::testing::AssertionResult near(QRgb actual, QRgb expected)
{
    const bool close = std::abs(qRed(actual) - qRed(expected)) <= 6 &&
                       std::abs(qGreen(actual) - qGreen(expected)) <= 6 &&
                       std::abs(qBlue(actual) - qBlue(expected)) <= 6;
    if (close)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "colour " << actual << " instead of " << expected;
}

QString errorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.text();
    }
    return "no error";
}

QString jpegError(int code)
{
    return QString("JPEG error #%1").arg(code);
}

class JpegDecoderFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir folder;
};

TEST_F(JpegDecoderFiles, ColourPictureFromFileMemoryAndProgressiveGivesRgb32AtItsSize)
{
    const QByteArray bytes = redBlue();
    for (const QImage& picture : {JpegDecoder::decodeFile(write("good.jpg", bytes)), JpegDecoder::decode(bytes),
                                  JpegDecoder::decode(redBlue(true))}) {
        EXPECT_EQ(picture.size(), QSize(40, 30));
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        EXPECT_TRUE(near(picture.pixel(2, 2), qRgb(255, 0, 0)));
        EXPECT_TRUE(near(picture.pixel(37, 27), qRgb(0, 0, 255)));
        EXPECT_EQ(qAlpha(picture.pixel(37, 27)), 255);
    }
}

TEST_F(JpegDecoderFiles, GreyscalePictureComesOutGreyInRgb)
{
    const QImage picture = JpegDecoder::decode(
        encode(16, 16, 1, JCS_GRAYSCALE, [](int x, int) { return std::vector<JSAMPLE>{JSAMPLE(x < 8 ? 40 : 200)}; }));
    EXPECT_TRUE(near(picture.pixel(1, 1), qRgb(40, 40, 40)));
    EXPECT_TRUE(near(picture.pixel(14, 14), qRgb(200, 200, 200)));
}

// Ink pictures: with Adobe's marker the stored ink is inverted (255 = no ink), without it is not.
TEST_F(JpegDecoderFiles, CmykPictureIsTurnedIntoRgbWithAndWithoutAdobeInversion)
{
    const QImage inverted = JpegDecoder::decode(encode(16, 16, 4, JCS_CMYK, [](int x, int) {
        return x < 8 ? std::vector<JSAMPLE>{0, 255, 255, 255} : std::vector<JSAMPLE>{255, 255, 255, 128};
    }));
    EXPECT_TRUE(near(inverted.pixel(1, 1), qRgb(0, 255, 255)));
    EXPECT_TRUE(near(inverted.pixel(14, 14), qRgb(128, 128, 128)));

    const QImage plain = JpegDecoder::decode(encode(
        16, 16, 4, JCS_CMYK, [](int, int) { return std::vector<JSAMPLE>{0, 255, 0, 0}; }, false));
    EXPECT_TRUE(near(plain.pixel(8, 8), qRgb(255, 0, 255)));
}

TEST_F(JpegDecoderFiles, MissingFileAndFolderCannotBeOpened)
{
    const QString missing = folder.filePath("Media/nothing.jpg");
    EXPECT_EQ(errorText([&] { JpegDecoder::decodeFile(missing); }), "Cannot open file " + missing);
    ASSERT_TRUE(QDir(folder.path()).mkdir("picture.jpg"));
    const QString subfolder = folder.filePath("picture.jpg");
    EXPECT_EQ(errorText([&] { JpegDecoder::decodeFile(subfolder); }), "Cannot open file " + subfolder);
}

// Sets the height and width of the first frame header (SOF0) of a baseline JPEG.
QByteArray withSize(QByteArray bytes, int width, int height)
{
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    bytes[frame + 5] = char(height >> 8);
    bytes[frame + 6] = char(height & 0xFF);
    bytes[frame + 7] = char(width >> 8);
    bytes[frame + 8] = char(width & 0xFF);
    return bytes;
}

struct HostileInput {
    const char* name;
    std::function<QByteArray()> bytes;
    int code;  // libjpeg's message number, or -1 for any
};

class JpegDecoderHostile : public JpegDecoderFiles, public ::testing::WithParamInterface<HostileInput> {};

// Each damaged input is refused with libjpeg's number, read from a file and from memory alike.
TEST_P(JpegDecoderHostile, IsRefusedWithTheDecodersNumber)
{
    const QByteArray bytes = GetParam().bytes();
    const QString path = write("hostile.jpg", bytes);
    for (const QString& text : {errorText([&] { JpegDecoder::decodeFile(path); }),
                                errorText([&] { JpegDecoder::decode(bytes); })}) {
        if (GetParam().code >= 0)
            EXPECT_EQ(text, jpegError(GetParam().code));
        else
            EXPECT_TRUE(text.startsWith("JPEG error #")) << text.toStdString();
    }
}

QByteArray corruptedScan()
{
    QByteArray bytes = redBlue();
    const qsizetype scan = bytes.indexOf("\xFF\xDA");
    for (qsizetype i = scan + 20; i < bytes.size() - 2; i += 3)
        bytes[i] = char(0xFF);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, JpegDecoderHostile,
    ::testing::Values(
        HostileInput{"Empty", [] { return QByteArray(); }, JERR_INPUT_EMPTY},
        HostileInput{"OneByte", [] { return QByteArray("\xFF"); }, JWRN_JPEG_EOF},
        HostileInput{"NotAJpeg", [] { return QByteArray("GIF89a this is no JPEG picture"); }, JERR_NO_SOI},
        HostileInput{"HeaderOnly", [] { return redBlue().left(redBlue().indexOf("\xFF\xDA")); }, JWRN_JPEG_EOF},
        HostileInput{"TruncatedInTheScan", [] { return redBlue().left(redBlue().size() - 40); }, JWRN_JPEG_EOF},
        HostileInput{"CorruptedScan", corruptedScan, -1},
        HostileInput{"ZeroHeight", [] { return withSize(redBlue(), 40, 0); }, JERR_EMPTY_IMAGE},
        HostileInput{"JustOverThePixelLimit",
                     [] { return withSize(redBlue(), 8000, int(JpegDecoder::kMaxPixels / 8000) + 1); },
                     JERR_IMAGE_TOO_BIG},
        HostileInput{"LargestDimensions", [] { return withSize(redBlue(), 65500, 65500); }, JERR_IMAGE_TOO_BIG}),
    [](const auto& info) { return std::string(info.param.name); });

// The limit refuses only what is over it: a header at the limit passes the check and fails
// later for its missing data, not for its size.
TEST_F(JpegDecoderFiles, HeaderAtThePixelLimitPassesTheSizeCheck)
{
    const QByteArray bytes = withSize(redBlue(), 8000, int(JpegDecoder::kMaxPixels / 8000));
    EXPECT_NE(errorText([&] { JpegDecoder::decode(bytes); }), jpegError(JERR_IMAGE_TOO_BIG));
}

} // namespace
