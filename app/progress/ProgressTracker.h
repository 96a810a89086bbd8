#pragma once

#include <cstdint>
#include <functional>

#include "CourseProgress.h"
#include "VideoControl.h"

// What the lesson video is doing, as read once a second.
struct PlayerReading {
    std::int32_t lesson = -1;  // 0 for the introduction, -1 when no clip is open
    double position = 0.0;
    double duration = 0.0;
    VideoControl::PlayState state = VideoControl::Closed;

    // A clip at its end stands stopped at its length.
    bool atEnd() const { return state == VideoControl::Stopped && duration > 0.0 && position >= duration - 0.25; }
};

// Decides what of a course's progress changes as the learner plays: the place
// while a lesson plays (often enough that a killed program loses at most
// SaveEveryMs and a tick), on Pause, on Stop, on a lesson choice and on
// closing; and a lesson watched once played past WatchedShare of it or to its
// end. The clip the window opens at start-up takes the place only once the
// learner plays it past FreshStartSeconds, so that the place kept is there to
// go back to. The introduction changes nothing. Each change goes to save.
// UI thread only.
class ProgressTracker {
public:
    static constexpr std::int64_t SaveEveryMs = 8000;
    static constexpr double WatchedShare = 0.9;
    static constexpr double FreshStartSeconds = 10.0;

    // lessonCount: the course's lessons, below 1 for a course of one video.
    ProgressTracker(std::int32_t lessonCount, std::function<void(const ProgressChange&)> save);

    // What the progress file held when the course was opened.
    void start(const CourseProgress& kept);
    const CourseProgress& progress() const { return progress_; }

    void observe(const PlayerReading& reading, std::int64_t nowMs);
    void lessonChosen(std::int32_t lesson, double position, std::int64_t nowMs);
    void close(const PlayerReading& reading);

    void unwatch(std::int32_t lesson);
    void forget();

    // The first lesson after this one, going round, that is not watched; 0
    // when every other lesson is.
    std::int32_t nextUnwatched(std::int32_t lesson) const;

    // A lesson played to its end; the watched lessons changed.
    std::function<void(std::int32_t lesson)> onLessonEnded;
    std::function<void()> onWatchedChanged;

private:
    void markWatched(const PlayerReading& reading);
    void followPlace(const PlayerReading& reading, std::int64_t nowMs);
    void endLesson(std::int32_t lesson, std::int64_t nowMs);
    void keepPlace(std::int32_t lesson, double position, std::int64_t nowMs);
    std::int32_t lessonCount() const { return lessonCount_ < 1 ? 1 : lessonCount_; }

    std::int32_t lessonCount_;
    std::function<void(const ProgressChange&)> save_;
    CourseProgress progress_;
    PlayerReading last_;
    double lastPlayingPosition_ = 0.0;
    bool placeTaken_ = false;
    std::int64_t lastSaveMs_ = 0;
};
