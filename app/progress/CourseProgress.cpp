#include "CourseProgress.h"

#include <cmath>

#include <QList>

namespace {

constexpr char kHeader[] = "tovrelle-progress ";
// More lessons than any course has; a number beyond is a damaged file.
constexpr std::int32_t kMostLessons = 100000;

std::optional<std::int32_t> lessonNumber(const QByteArray& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > kMostLessons)
        return std::nullopt;
    return value;
}

bool readWatched(const QByteArray& value, std::set<std::int32_t>& watched)
{
    for (const QByteArray& item : value.split(' ')) {
        if (item.isEmpty())
            continue;
        const auto lesson = lessonNumber(item);
        if (!lesson || *lesson < 1)
            return false;
        watched.insert(*lesson);
    }
    return true;
}

// One "name=value" line; false for a value that cannot be meant. Names the
// program does not know are passed over.
bool readLine(const QByteArray& line, CourseProgress& progress)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return line.trimmed().isEmpty();
    const QByteArray name = line.left(equals);
    const QByteArray value = line.mid(equals + 1).trimmed();
    if (name == "lesson") {
        const auto lesson = lessonNumber(value);
        progress.lesson = lesson.value_or(0);
        return lesson.has_value();
    }
    if (name == "position") {
        bool ok = false;
        progress.position = value.toDouble(&ok);
        return ok && std::isfinite(progress.position) && progress.position >= 0.0;
    }
    if (name == "watched")
        return readWatched(value, progress.watched);
    return true;
}

}  // namespace

void ProgressChange::add(const ProgressChange& later)
{
    if (later.place)
        place = later.place;
    for (const std::int32_t lesson : later.watched) {
        watched.insert(lesson);
        unwatched.erase(lesson);
    }
    for (const std::int32_t lesson : later.unwatched) {
        unwatched.insert(lesson);
        watched.erase(lesson);
    }
}

void ProgressChange::applyTo(CourseProgress& progress) const
{
    if (place) {
        progress.lesson = place->lesson;
        progress.position = place->position;
    }
    progress.watched.insert(watched.begin(), watched.end());
    for (const std::int32_t lesson : unwatched)
        progress.watched.erase(lesson);
}

namespace ProgressText {

Parsed parse(const QByteArray& bytes)
{
    Parsed parsed;
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.first().startsWith(kHeader))
        return parsed;
    bool ok = false;
    const int version = lines.first().mid(int(sizeof kHeader) - 1).trimmed().toInt(&ok);
    if (!ok || version < 1)
        return parsed;
    if (version > Version) {
        parsed.reading = Reading::Newer;
        return parsed;
    }
    for (qsizetype index = 1; index < lines.size(); ++index) {
        if (!readLine(lines[index], parsed.progress))
            return Parsed{};
    }
    parsed.reading = Reading::Read;
    return parsed;
}

std::string format(const CourseProgress& progress)
{
    std::string text = kHeader + std::to_string(Version) + '\n';
    text += "lesson=" + std::to_string(progress.lesson) + '\n';
    text += "position=" + QByteArray::number(progress.position, 'f', 3).toStdString() + '\n';
    text += "watched=";
    for (const std::int32_t lesson : progress.watched)
        text += (text.back() == '=' ? "" : " ") + std::to_string(lesson);
    return text + '\n';
}

}  // namespace ProgressText
