#include "LessonRows.h"

#include <algorithm>

namespace {

std::int64_t ceilDiv(std::int64_t numerator, std::int64_t divisor)
{
    return (numerator + divisor - 1) / divisor;
}

}  // namespace

// Rows follow one another at a fixed pitch, so the first row that could hold
// y is found by division rather than by walking every row: a course may
// declare any number of lessons. Going down with a positive pitch, that is the
// first row ending at or below y; with a pitch of 0 or less rows climb, and it
// is the first row starting at or above y. Where that row does not hold y, no
// later one does. The sums are taken in 64 bits, so no row wraps around.
std::int32_t LessonRows::lessonAt(std::int32_t y) const
{
    if (count < 1 || height < 0)
        return 0;
    const std::int64_t pitch = std::int64_t(gap) + height;
    std::int64_t lesson = 1;
    if (pitch > 0 && std::int64_t(offset) + height < y)
        lesson += ceilDiv(std::int64_t(y) - height - offset, pitch);
    else if (pitch <= 0 && offset > y)
        lesson = pitch == 0 ? 0 : 1 + ceilDiv(std::int64_t(offset) - y, -pitch);
    if (lesson < 1 || lesson > count)
        return 0;
    const std::int64_t first = top(lesson);
    return first <= y && y <= first + height ? std::int32_t(lesson) : 0;
}

std::int64_t LessonRows::top(std::int64_t lesson) const
{
    return offset + (lesson - 1) * (std::int64_t(gap) + height);
}

QRect LessonRows::rowArea(std::int32_t lesson, int width) const
{
    constexpr std::int64_t kLimit = 1 << 24;
    const std::int64_t first = top(lesson);
    const std::int64_t bottom = first + height;
    return QRect(QPoint(0, int(std::clamp(first, -kLimit, kLimit))),
                 QPoint(width - 1, int(std::clamp(bottom, -kLimit, kLimit))));
}

std::int32_t LessonRows::highlightTop(std::int32_t lesson, std::int32_t drawOffset) const
{
    const std::uint32_t pitch = std::uint32_t(gap) + std::uint32_t(height);
    return std::int32_t(std::uint32_t(lesson) * pitch + std::uint32_t(offset) + std::uint32_t(drawOffset));
}

QString lessonFileName(std::int32_t lesson)
{
    const QString prefix = lesson <= 9 ? QStringLiteral("vid_0") : QStringLiteral("vid_");
    return prefix + QString::number(lesson) + QStringLiteral(".avi");
}
