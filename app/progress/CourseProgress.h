#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include <QByteArray>

// Where a learner is in one course: the lesson last played with the place in
// it, and the lessons watched. Lesson 0 means no place is kept.
struct CourseProgress {
    std::int32_t lesson = 0;
    double position = 0.0;
    std::set<std::int32_t> watched;

    bool hasPlace() const { return lesson >= 1; }
    bool operator==(const CourseProgress&) const = default;
};

// What one copy of the program changed since it last wrote: it is made to the
// file as the file is at that moment, so that another copy's watched lessons
// stay.
struct ProgressChange {
    std::optional<CourseProgress> place;  // lesson and position only
    std::set<std::int32_t> watched;
    std::set<std::int32_t> unwatched;

    bool empty() const { return !place && watched.empty() && unwatched.empty(); }
    // Adds a later change on top of this one.
    void add(const ProgressChange& later);
    void applyTo(CourseProgress& progress) const;
};

// The progress file's text: a first line naming the format and its version,
// then "name=value" lines.
namespace ProgressText {

constexpr int Version = 1;

enum class Reading { Read, Damaged, Newer };

struct Parsed {
    Reading reading = Reading::Damaged;
    CourseProgress progress;
};

Parsed parse(const QByteArray& bytes);
std::string format(const CourseProgress& progress);

}  // namespace ProgressText
