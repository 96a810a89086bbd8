#include <gtest/gtest.h>

#include <vector>

#include "progress/ProgressTracker.h"

namespace {

using State = VideoControl::PlayState;

struct Step {
    PlayerReading reading;
    std::int64_t atMs;
};

struct TrackCase {
    const char* name;
    std::int32_t lessons;
    CourseProgress kept;
    std::vector<Step> steps;
    CourseProgress expected;  // as the file holds it after the steps
    std::int32_t ended = 0;    // the lesson told as played to its end
};

class ProgressTrackerTest : public testing::TestWithParam<TrackCase> {};

// The changes saved, laid on what the file held, give what the learner expects.
TEST_P(ProgressTrackerTest, KeepsWhatTheLearnerWouldExpect)
{
    CourseProgress file = GetParam().kept;
    ProgressTracker tracker(GetParam().lessons, [&file](const ProgressChange& change) { change.applyTo(file); });
    std::int32_t ended = 0;
    tracker.onLessonEnded = [&ended](std::int32_t lesson) { ended = lesson; };
    tracker.start(GetParam().kept);
    for (const Step& step : GetParam().steps)
        tracker.observe(step.reading, step.atMs);
    EXPECT_EQ(file, GetParam().expected);
    EXPECT_EQ(tracker.progress(), GetParam().expected);
    EXPECT_EQ(ended, GetParam().ended);
}

PlayerReading lesson(std::int32_t number, double position, State state = State::Playing, double length = 100.0)
{
    return {number, position, length, state};
}

const CourseProgress kLesson7{7, 300.0, {1, 2}};

INSTANTIATE_TEST_SUITE_P(
    Playing, ProgressTrackerTest,
    testing::Values(
        TrackCase{"IntroductionChangesNothing", 12, kLesson7,
                  {{lesson(0, 50), 0}, {lesson(0, 95), 20000}, {lesson(0, 100, State::Stopped), 30000}}, kLesson7},
        TrackCase{"StartClipGlancedAtKeepsThePlace", 12, kLesson7,
                  {{lesson(1, 4), 0}, {lesson(1, 9), 5000}, {lesson(1, 9, State::Paused), 6000}}, kLesson7},
        TrackCase{"StartClipPlayedOnTakesThePlace", 12, kLesson7,
                  {{lesson(1, 10), 0}, {lesson(1, 11), 1000}}, {1, 11.0, {1, 2}}},
        TrackCase{"SavedWhilePlayingWithinTenSeconds", 12, {},
                  {{lesson(3, 20), 0}, {lesson(3, 27), 7000}, {lesson(3, 28), 8000}, {lesson(3, 35), 15000},
                   {lesson(3, 36), 16000}},
                  {3, 36.0, {}}},
        TrackCase{"PauseKeepsThePlaceAtOnce", 12, {},
                  {{lesson(3, 20), 0}, {lesson(3, 22), 2000}, {lesson(3, 22.5, State::Paused), 2500}},
                  {3, 22.5, {}}},
        TrackCase{"StopKeepsWhereItStoppedNotItsRewind", 12, {},
                  {{lesson(3, 20), 0}, {lesson(3, 23), 3000}, {lesson(3, 0, State::Stopped), 3500}},
                  {3, 23.0, {}}},
        TrackCase{"AtNinetyPercentNotYetWatched", 12, {},
                  {{lesson(3, 20), 0}, {lesson(3, 90), 1000}}, {3, 20.0, {}}},
        TrackCase{"PastNinetyPercentWatched", 12, {},
                  {{lesson(3, 20), 0}, {lesson(3, 90.01), 1000}}, {3, 20.0, {3}}},
        TrackCase{"PlayedToItsEndGoesOnToTheNextUnwatched", 12, {0, 0.0, {4, 5}},
                  {{lesson(3, 80), 0}, {lesson(3, 100, State::Stopped), 1000}}, {6, 0.0, {3, 4, 5}}, 3},
        TrackCase{"ShortClipEndedBetweenTwoReadings", 12, {},
                  {{lesson(12, 1, State::Playing, 4), 0}, {lesson(12, 4, State::Stopped, 4), 1000}},
                  {1, 0.0, {12}}, 12},
        TrackCase{"LastUnwatchedLessonEndedStaysThere", 2, {0, 0.0, {1}},
                  {{lesson(2, 50), 0}, {lesson(2, 100, State::Stopped), 1000}}, {2, 0.0, {1, 2}}, 2},
        TrackCase{"SingleVideoWatchedAndRewound", 0, {1, 40.0, {}},
                  {{lesson(1, 95), 0}, {lesson(1, 100, State::Stopped), 1000}}, {1, 0.0, {1}}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Closing keeps the place; a program killed loses at most the time since the
// last save, which a running lesson renews within ten seconds.
TEST(ProgressTracker, ClosingKeepsThePlaceAndNoSaveIsOverTenSecondsOld)
{
    CourseProgress file;
    std::vector<double> savedAt;
    ProgressTracker tracker(12, [&](const ProgressChange& change) {
        change.applyTo(file);
        savedAt.push_back(file.position);
    });
    tracker.start({});
    for (int second = 0; second <= 60; ++second)
        tracker.observe(lesson(5, 20.0 + second), second * 1000);
    for (std::size_t index = 1; index < savedAt.size(); ++index)
        EXPECT_LE(savedAt[index] - savedAt[index - 1], 10.0);
    tracker.close(lesson(5, 80.4, State::Paused));
    EXPECT_EQ(file, (CourseProgress{5, 80.4, {}}));
}

}  // namespace
