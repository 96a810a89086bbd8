#pragma once

#include <cstdint>

#include <QObject>
#include <QTimer>

#include "AppPaths.h"
#include "Clock.h"
#include "DataFolder.h"
#include "ProgressStore.h"
#include "ProgressTracker.h"

class LessonMenu;
class ProgressOffer;
class TfrmMain;
class WatchedMarks;

// Where the learner left off in the course, wired to the window: reads the
// lesson video once a second for the tracker, keeps what changes in the
// course's progress file, offers to continue at the place kept (and the next
// lesson after one played to its end), marks the watched lessons on the
// strip and opens the strip's lesson menu. A course without a progress file
// looks and behaves as the window does alone. UI thread only.
class LessonProgress : public QObject {
    Q_OBJECT

public:
    static constexpr int TickMs = 1000;
    // Continuing goes back this far before the place, for context.
    static constexpr double ContextSeconds = 5.0;

    // forgetFirst: the course's progress is forgotten before it is read.
    LessonProgress(TfrmMain& window, const AppPaths& course, DataFolder& dataFolder, bool forgetFirst,
                   const Clock& clock = systemClock());
    ~LessonProgress() override;

    // Keeps the place as the program ends and waits until it is written.
    void close();

    ProgressOffer* offer() const { return offer_; }
    // Returns once the progress file is read and shown.
    void waitUntilLoaded();

private:
    void load(const CourseProgress& kept);
    void tick();
    PlayerReading readPlayer() const;
    void offerContinue(const CourseProgress& kept);
    void continueAt(std::int32_t lesson, double position);
    void offerNext(std::int32_t endedLesson);
    void showWatched();
    void forgetCourse();

    TfrmMain& window_;
    const Clock& clock_;
    ProgressStore store_;
    ProgressTracker tracker_;
    ProgressOffer* offer_;
    WatchedMarks* marks_;
    LessonMenu* menu_;
    QTimer tick_;
    bool loaded_ = false;
    bool closed_ = false;
};
