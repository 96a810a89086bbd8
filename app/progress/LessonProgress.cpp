#include "LessonProgress.h"

#include <algorithm>

#include <QCoreApplication>

#include "AppError.h"
#include "CD_Quorvate1.h"
#include "LessonMenu.h"
#include "PlayedClip.h"
#include "ProgressLog.h"
#include "ProgressOffer.h"
#include "WatchedMarks.h"
#include "accessible/LessonProgressText.h"

LessonProgress::LessonProgress(TfrmMain& window, const AppPaths& course, DataFolder& dataFolder, bool forgetFirst,
                               const Clock& clock)
    : window_(window),
      clock_(clock),
      tracker_(window.numLessons, [this](const ProgressChange& change) { store_.save(change); }),
      offer_(new ProgressOffer(window.ActiveMovie1)),
      marks_(new WatchedMarks(window)),
      menu_(new LessonMenu(window, this, {[this](std::int32_t lesson) { tracker_.unwatch(lesson); },
                                    [this] { forgetCourse(); },
                                    [this] { return LessonMenu::askToForget(&window_); }}))
{
    QWidget::setTabOrder(window.ActiveMovie1, offer_->button());
    tracker_.onWatchedChanged = [this] { showWatched(); };
    tracker_.onLessonEnded = [this](std::int32_t lesson) { offerNext(lesson); };
    connect(&window, &TfrmMain::lessonChosen, this, [this](std::int32_t lesson) {
        offer_->withdraw();
        tracker_.lessonChosen(lesson, 0.0, clock_.tickCountMs());
    });
    connect(&tick_, &QTimer::timeout, this, &LessonProgress::tick);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &LessonProgress::close);
    try {
        store_.open({course.nativePath(QStringLiteral("qel.ini")), course.nativePath(QStringLiteral("Media")),
                     dataFolder.locate()},
                    forgetFirst, [this](const CourseProgress& kept) { load(kept); });
    } catch (const AppError& error) {
        qCWarning(progressLog).noquote() << QStringLiteral("The course's progress cannot be kept: %1").arg(error.text());
    }
}

LessonProgress::~LessonProgress()
{
    close();
    delete offer_;
    delete marks_;
}

void LessonProgress::waitUntilLoaded()
{
    store_.flush();
    QCoreApplication::sendPostedEvents(&store_);
}

void LessonProgress::load(const CourseProgress& kept)
{
    loaded_ = true;
    tracker_.start(kept);
    showWatched();
    offerContinue(kept);
    tick_.start(TickMs);
}

void LessonProgress::tick()
{
    tracker_.observe(readPlayer(), clock_.tickCountMs());
}

PlayerReading LessonProgress::readPlayer() const
{
    const TActiveMovie& video = *window_.ActiveMovie1;
    return {PlayedClip::of(window_).lesson, video.CurrentPosition(), video.Duration(),
            VideoControl::PlayState(video.PlayState())};
}

void LessonProgress::close()
{
    if (closed_)
        return;
    closed_ = true;
    tick_.stop();
    if (loaded_)
        tracker_.close(readPlayer());
    store_.flush();
}

// Offered when the place kept is not where the window starts: another lesson,
// or past the start of the one loaded.
void LessonProgress::offerContinue(const CourseProgress& kept)
{
    const bool lessonMode = window_.numLessons >= 1;
    if (!kept.hasPlace() || kept.lesson > std::max(window_.numLessons, 1))
        return;
    if (kept.lesson == PlayedClip::of(window_).lesson && kept.position <= ProgressTracker::FreshStartSeconds)
        return;
    const QString at = clockText(kept.position);
    offer_->offer(lessonMode ? QStringLiteral("Continue Lesson %1 at %2").arg(kept.lesson).arg(at)
                             : QStringLiteral("Continue at %1").arg(at),
                  [this, kept] { continueAt(kept.lesson, kept.position); });
}

// Through the strip's own way to a lesson; the one video of a course without
// lessons is opened as its start-up does, unless it is open already.
void LessonProgress::continueAt(std::int32_t lesson, double position)
{
    const double from = std::max(0.0, position - ContextSeconds);
    if (window_.numLessons >= 1) {
        window_.chooseLesson(lesson);
        if (PlayedClip::of(window_).lesson != lesson)
            return;
    } else if (PlayedClip::of(window_).lesson != lesson) {
        window_.movieSwap(lessonFileName(lesson));
    } else {
        window_.ActiveMovie1->Play();
    }
    window_.ActiveMovie1->setCurrentPosition(from);
    tracker_.lessonChosen(lesson, from, clock_.tickCountMs());
}

// What follows a lesson's end stays the learner's choice: the next lesson is
// offered, not started.
void LessonProgress::offerNext(std::int32_t endedLesson)
{
    const std::int32_t next = tracker_.nextUnwatched(endedLesson);
    if (window_.numLessons < 1 || next == 0)
        return;
    offer_->offer(QStringLiteral("Next: Lesson %1").arg(next), [this, next] { window_.chooseLesson(next); });
}

void LessonProgress::showWatched()
{
    const std::set<std::int32_t>& watched = tracker_.progress().watched;
    if (watched == window_.watchedLessons)
        return;
    window_.watchedLessons = watched;
    marks_->refresh();
    tellWatchedChanged(window_);
}

void LessonProgress::forgetCourse()
{
    offer_->withdraw();
    store_.forget();
    tracker_.forget();
}
