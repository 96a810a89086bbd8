#pragma once

#include <cstdint>

#include <QRect>
#include <QString>

// The rows of the lesson strip, pure arithmetic over the course's numbers:
// lesson n (1 to count) owns the lines top(n) to top(n) + height of the strip
// picture, both included, where top(n) = offset + (n - 1) * (gap + height).
// A row spans the picture's whole width.
struct LessonRows {
    std::int32_t count = 0;
    std::int32_t gap = 0;
    std::int32_t height = 0;
    std::int32_t offset = 0;

    // The lesson whose row holds line y, the lower-numbered lesson where rows
    // overlap; 0 when no row holds it.
    std::int32_t lessonAt(std::int32_t y) const;

    // The first line of a lesson's row in the strip picture, in 64 bits so
    // that no row wraps around.
    std::int64_t top(std::int64_t lesson) const;
    // The lines of lesson's row in the strip picture, top(n) to
    // top(n) + height, clamped to what a picture's coordinates can hold.
    QRect rowArea(std::int32_t lesson, int width) const;

    // The top of the highlight over a lesson's row, in the training panel:
    // lesson * (gap + height) + offset + drawOffset, wrapping like the
    // course's 32-bit numbers.
    std::int32_t highlightTop(std::int32_t lesson, std::int32_t drawOffset) const;
};

// A lesson's video file in the media folder: vid_01.avi to vid_09.avi, then
// vid_10.avi, vid_100.avi.
QString lessonFileName(std::int32_t lesson);
