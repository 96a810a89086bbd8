#pragma once

#include <cstddef>

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Turns JPEG data into a picture. Every JPEG the program shows goes through here: the skin
// pictures of the course folder and the pictures built into the program.
//
// Errors are raised as AppError:
// - "Cannot open file %s" (the path as given) when the file is missing or cannot be read: a
//   folder, a pipe or a device, a file too large for a picture, or one outside the course;
// - "JPEG error #%d" with libjpeg's message number when the data is not a JPEG picture, is
//   damaged or truncated, or is larger than kMaxPixels. A file that libjpeg could only patch up
//   (a corrupt-data warning, such as a premature end) counts as damaged: a half-drawn skin is
//   never shown as if it were the real picture.
//
// Greyscale, RGB, YCbCr, CMYK and YCCK pictures all come out as RGB32.
class JpegDecoder {
public:
    // Pictures with more pixels than this are refused before anything is allocated for them.
    static constexpr std::size_t kMaxPixels = 40'000'000;

    // Decodes the JPEG file at path (a native path).
    static QImage decodeFile(const QString& path);

    // Decodes JPEG data held in memory.
    static QImage decode(QByteArrayView data);
};
