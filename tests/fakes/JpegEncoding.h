#pragma once

#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include <QByteArray>

// Writing JPEG data for tests, with libjpeg's compressor.

// Colour of the sample at x, y: one value per component.
using SampleFill = std::function<std::vector<JSAMPLE>(int x, int y)>;

// Compresses a picture with libjpeg; components and space as libjpeg's compressor takes them.
inline QByteArray encode(int width, int height, int components, J_COLOR_SPACE space, const SampleFill& fill,
                  bool adobeMarker = true, bool progressive = false)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    info.write_Adobe_marker = adobeMarker;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::vector<JSAMPLE> sample = fill(x, y);
            std::copy(sample.begin(), sample.end(), row.begin() + x * components);
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return result;
}

// A plain grey RGB picture of the given size.
inline QByteArray plainJpeg(int width, int height)
{
    return encode(width, height, 3, JCS_RGB, [](int, int) { return std::vector<JSAMPLE>{0x40, 0x40, 0x40}; });
}
