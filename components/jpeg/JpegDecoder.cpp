#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <QSysInfo>

// jerror.h needs the types of jpeglib.h, which needs FILE and size_t from <cstdio>.
#include <jpeglib.h>
#include <jerror.h>

#include "AppError.h"
#include "CourseFiles.h"
#include "QuotedValue.h"

namespace {

constexpr int kDecoded = -1;

// Where libjpeg reads from: a block of memory.
struct JpegSource {
    const unsigned char* data = nullptr;
    unsigned long size = 0;
};

// libjpeg's error manager with the place to jump back to and the message number that stopped it.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    int code;
};

// libjpeg's state for one picture. It is released here whatever way decoding ended: libjpeg
// owns all of its memory through the struct, also after an error has jumped out of it.
struct Decompression {
    jpeg_decompress_struct info{};
    ErrorJump error{};

    ~Decompression() { jpeg_destroy_decompress(&info); }
};

// libjpeg calls this on an error; it must not return.
[[noreturn]] void jumpOnError(j_common_ptr common)
{
    auto* error = reinterpret_cast<ErrorJump*>(common->err);
    error->code = error->manager.msg_code;
    std::longjmp(error->jump, 1);
}

// A warning means libjpeg met damaged data and patched it up; such a picture is refused.
// Trace messages (level 0 and up) are ignored.
void jumpOnWarning(j_common_ptr common, int level)
{
    if (level < 0)
        jumpOnError(common);
}

// The libjpeg colour space whose byte order is that of QImage::Format_RGB32 on this machine.
J_COLOR_SPACE rgb32ColorSpace()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
}

void attachSource(jpeg_decompress_struct& info, const JpegSource& source)
{
    jpeg_mem_src(&info, source.data, source.size);
}

// Checks the picture's size before anything is allocated for it and picks the output colours:
// ink pictures come out as CMYK and are turned into RGB here, all others go straight to RGB32.
void prepareOutput(jpeg_decompress_struct& info)
{
    const std::size_t pixels = std::size_t{info.image_width} * info.image_height;
    if (pixels > JpegDecoder::kMaxPixels)
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, static_cast<int>(JpegDecoder::kMaxPixels));
    const bool ink = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = ink ? JCS_CMYK : rgb32ColorSpace();
}

// One ink value pair to a colour channel. Adobe's writers store the ink inverted (255 = none).
unsigned char inkToChannel(unsigned ink, unsigned black, bool inverted)
{
    if (!inverted) {
        ink = 255 - ink;
        black = 255 - black;
    }
    return static_cast<unsigned char>(ink * black / 255);
}

void readCmykRows(jpeg_decompress_struct& info, QImage& picture)
{
    const bool inverted = info.saw_Adobe_marker;
    JSAMPARRAY buffer = (*info.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, buffer, 1);
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const JSAMPLE* ink = buffer[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, ink += 4)
            out[x] = qRgb(inkToChannel(ink[0], ink[3], inverted), inkToChannel(ink[1], ink[3], inverted),
                          inkToChannel(ink[2], ink[3], inverted));
    }
}

void readRows(jpeg_decompress_struct& info, QImage& picture)
{
    if (info.out_color_space == JCS_CMYK) {
        readCmykRows(info, picture);
        return;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
}

// Runs libjpeg from source into picture; returns kDecoded or libjpeg's message number.
// libjpeg leaves this function and everything it calls by longjmp, so none of them may hold
// an object with a destructor across a libjpeg call: the owners live in the caller.
int decodeGuarded(Decompression& decompression, const JpegSource& source, QImage& picture)
{
    jpeg_decompress_struct& info = decompression.info;
    info.err = jpeg_std_error(&decompression.error.manager);
    decompression.error.manager.error_exit = jumpOnError;
    decompression.error.manager.emit_message = jumpOnWarning;
    if (setjmp(decompression.error.jump))
        return decompression.error.code;
    jpeg_create_decompress(&info);
    attachSource(info, source);
    jpeg_read_header(&info, TRUE);
    prepareOutput(info);
    jpeg_start_decompress(&info);
    picture = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                     QImage::Format_RGB32);
    if (picture.isNull())
        ERREXIT1(&info, JERR_OUT_OF_MEMORY, 0);
    readRows(info, picture);
    jpeg_finish_decompress(&info);
    return kDecoded;
}

QImage decodeSource(const JpegSource& source)
{
    Decompression decompression;
    QImage picture;
    const int code = decodeGuarded(decompression, source, picture);
    if (code != kDecoded)
        throw AppError(QString("JPEG error #%1").arg(code));
    return picture;
}

} // namespace

QImage JpegDecoder::decodeFile(const QString& path)
{
    const CourseFiles::Read file = CourseFiles::read(path, CourseFiles::Kind::Picture);
    if (!file.ok())
        throw AppError(QString("Cannot open file %1").arg(quotedValue(path)));
    return decode(file.bytes);
}

QImage JpegDecoder::decode(QByteArrayView data)
{
    return decodeSource({.data = reinterpret_cast<const unsigned char*>(data.data()),
                         .size = static_cast<unsigned long>(data.size())});
}
