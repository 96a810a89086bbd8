#include "ProgressTracker.h"

#include <utility>

ProgressTracker::ProgressTracker(std::int32_t lessonCount, std::function<void(const ProgressChange&)> save)
    : lessonCount_(lessonCount), save_(std::move(save))
{
}

void ProgressTracker::start(const CourseProgress& kept)
{
    progress_ = kept;
}

void ProgressTracker::observe(const PlayerReading& reading, std::int64_t nowMs)
{
    if (reading.lesson >= 1) {
        markWatched(reading);
        if (reading.atEnd() && !(last_.atEnd() && last_.lesson == reading.lesson))
            endLesson(reading.lesson, nowMs);
        else if (!reading.atEnd())
            followPlace(reading, nowMs);
    }
    last_ = reading;
}

void ProgressTracker::markWatched(const PlayerReading& reading)
{
    const bool past = reading.duration > 0.0 && reading.position > WatchedShare * reading.duration;
    if (!past || progress_.watched.contains(reading.lesson))
        return;
    progress_.watched.insert(reading.lesson);
    save_(ProgressChange{std::nullopt, {reading.lesson}, {}});
    if (onWatchedChanged)
        onWatchedChanged();
}

// Stop takes the clip back to its start; the place is where it was stopped.
void ProgressTracker::followPlace(const PlayerReading& reading, std::int64_t nowMs)
{
    const bool playing = reading.state == VideoControl::Playing;
    const bool wasPlaying = last_.state == VideoControl::Playing && last_.lesson == reading.lesson;
    if (!placeTaken_ && playing && reading.position > FreshStartSeconds) {
        placeTaken_ = true;
        lastSaveMs_ = nowMs - SaveEveryMs;
    }
    if (playing)
        lastPlayingPosition_ = reading.position;
    if (!placeTaken_)
        return;
    if (playing && nowMs - lastSaveMs_ >= SaveEveryMs)
        keepPlace(reading.lesson, reading.position, nowMs);
    else if (wasPlaying && reading.state == VideoControl::Paused)
        keepPlace(reading.lesson, reading.position, nowMs);
    else if (wasPlaying && reading.state == VideoControl::Stopped)
        keepPlace(reading.lesson, lastPlayingPosition_, nowMs);
}

// A lesson seen to its end leaves the learner at the start of the next one
// still to watch.
void ProgressTracker::endLesson(std::int32_t lesson, std::int64_t nowMs)
{
    placeTaken_ = true;
    const std::int32_t next = nextUnwatched(lesson);
    keepPlace(next != 0 ? next : lesson, 0.0, nowMs);
    if (onLessonEnded)
        onLessonEnded(lesson);
}

void ProgressTracker::lessonChosen(std::int32_t lesson, double position, std::int64_t nowMs)
{
    placeTaken_ = true;
    lastPlayingPosition_ = position;
    keepPlace(lesson, position, nowMs);
}

void ProgressTracker::close(const PlayerReading& reading)
{
    if (reading.lesson < 1)
        return;
    markWatched(reading);
    if (!placeTaken_ || reading.atEnd())
        return;
    const bool rewound = reading.state == VideoControl::Stopped || reading.state == VideoControl::Closed;
    keepPlace(reading.lesson, rewound ? lastPlayingPosition_ : reading.position, lastSaveMs_);
}

void ProgressTracker::keepPlace(std::int32_t lesson, double position, std::int64_t nowMs)
{
    progress_.lesson = lesson;
    progress_.position = position;
    lastSaveMs_ = nowMs;
    save_(ProgressChange{progress_, {}, {}});
}

void ProgressTracker::unwatch(std::int32_t lesson)
{
    if (!progress_.watched.erase(lesson))
        return;
    save_(ProgressChange{std::nullopt, {}, {lesson}});
    if (onWatchedChanged)
        onWatchedChanged();
}

// Nothing is kept again until the learner chooses a lesson or plays on.
void ProgressTracker::forget()
{
    progress_ = {};
    placeTaken_ = false;
    if (onWatchedChanged)
        onWatchedChanged();
}

std::int32_t ProgressTracker::nextUnwatched(std::int32_t lesson) const
{
    for (std::int32_t step = 1; step < lessonCount(); ++step) {
        const std::int32_t candidate = (lesson - 1 + step) % lessonCount() + 1;
        if (!progress_.watched.contains(candidate))
            return candidate;
    }
    return 0;
}
