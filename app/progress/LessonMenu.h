#pragma once

#include <cstdint>
#include <functional>

#include <QObject>

class QMenu;
class TfrmMain;

// The menu of a lesson on the strip, opened by the Menu key or Shift+F10 on
// the strip (for the lesson under its cursor) and by a reader's action: take
// the lesson's watched mark off, or forget the whole course's progress after
// a question. A right click still chooses the lesson.
class LessonMenu : public QObject {
    Q_OBJECT

public:
    struct Actions {
        std::function<void(std::int32_t lesson)> unwatch;
        std::function<void()> forgetCourse;
        // Asks whether to forget; true to go on.
        std::function<bool()> confirmForget;
    };

    // owner: deletes the menu, and with it the way to it, with itself.
    LessonMenu(TfrmMain& window, QObject* owner, Actions actions);

    // The menu's entries for a lesson, for the caller to show.
    void fill(QMenu& menu, std::int32_t lesson) const;

    // The learner's question before the course's progress goes.
    static bool askToForget(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::int32_t lessonFor(const QEvent& event) const;
    void open(std::int32_t lesson, const QPoint& where);

    TfrmMain& window_;
    Actions actions_;
};
