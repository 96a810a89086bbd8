#include "LessonStripCursor.h"

#include <algorithm>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ActivationKey.h"
#include "ErrorReporting.h"

LessonStripCursor::LessonStripCursor(QWidget* strip, Strip lessons)
    : QObject(strip), strip_(strip), lessons_(std::move(lessons))
{
    strip_->installEventFilter(this);
}

std::int32_t LessonStripCursor::cursor() const
{
    const std::int32_t count = lessons_.rows().count;
    return count < 1 ? 0 : std::clamp(cursor_, 1, count);
}

QRect LessonStripCursor::cursorRect() const
{
    const std::int32_t lesson = cursor();
    return lesson == 0 ? QRect() : lessons_.rows().rowArea(lesson, strip_->width());
}

void LessonStripCursor::moveTo(std::int32_t lesson)
{
    const std::int32_t before = cursor();
    cursor_ = lesson;
    if (cursor() != before)
        emit cursorMoved(cursor());
}

bool LessonStripCursor::handleKey(const QKeyEvent& key)
{
    if (isActivationKey(key)) {
        // A key held down chooses once.
        if (!key.isAutoRepeat())
            runGuarded([&] { lessons_.choose(cursor()); });
        return true;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_Up:
        moveTo(std::max(cursor() - 1, 1));
        return true;
    case Qt::Key_Down:
        moveTo(cursor() + 1);
        return true;
    case Qt::Key_Home:
        moveTo(1);
        return true;
    case Qt::Key_End:
        moveTo(lessons_.rows().count);
        return true;
    default:
        return false;
    }
}

bool LessonStripCursor::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return cursor() != 0 && handleKey(static_cast<const QKeyEvent&>(*event));
    case QEvent::FocusIn:
        // The focus given back after a box or another window finds the
        // cursor where the learner left it.
        if (const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
            reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            moveTo(lessons_.loadedLesson());
        return false;
    case QEvent::MouseButtonRelease:
        if (const std::int32_t lesson = lessons_.rows().lessonAt(static_cast<const QMouseEvent*>(event)->position().toPoint().y());
            lesson != 0)
            moveTo(lesson);
        return false;
    default:
        return false;
    }
}
