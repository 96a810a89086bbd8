#pragma once

#include <cstdint>
#include <functional>

#include <QObject>
#include <QRect>

#include "LessonRows.h"

class QKeyEvent;
class QWidget;

// The keyboard's cursor on the lesson strip, a picture whose rows are the
// lessons: Up and Down move it from lesson to lesson, Home and End to the
// first and the last, and Return, Enter or Space choose the lesson under it
// as a click on its row does. When Tab or Shift+Tab brings the focus to the
// strip the cursor stands on the lesson loaded; a click on a row puts it
// there; the focus coming back to the window leaves it. UI thread only.
class LessonStripCursor : public QObject {
    Q_OBJECT

public:
    struct Strip {
        std::function<LessonRows()> rows;
        std::function<std::int32_t()> loadedLesson;
        std::function<void(std::int32_t lesson)> choose;
    };

    LessonStripCursor(QWidget* strip, Strip lessons);

    // The lesson under the cursor, 1 to the strip's count; 0 without lessons.
    std::int32_t cursor() const;
    // Its row, in the strip's coordinates; empty without lessons.
    QRect cursorRect() const;

signals:
    void cursorMoved(int lesson);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(const QKeyEvent& key);
    void moveTo(std::int32_t lesson);

    QWidget* strip_;
    Strip lessons_;
    std::int32_t cursor_ = 1;
};
