#include "AccessibleLessonStrip.h"

#include <algorithm>

#include "CD_Quorvate1.h"
#include "LessonStripCursor.h"
#include "LessonProgressText.h"
#include "PlayedClip.h"
#include "ReaderActions.h"

AccessibleLessonStrip::AccessibleLessonStrip(TfrmMain& window)
    : AccessibleComposite(window.Image15, QAccessible::List, QStringLiteral("Lessons")),
      window_(window),
      items_([this](int lesson) { return new AccessibleLessonItem(this, lesson); }),
      toldLesson_(PlayedClip::of(window).lesson),
      toldIntroduction_(introductionListed())
{
}

QString AccessibleLessonStrip::text(QAccessible::Text t) const
{
    return t == QAccessible::Description ? watchedSummary(window_) : AccessibleComposite::text(t);
}

bool AccessibleLessonStrip::introductionListed() const
{
    return PlayedClip::of(window_).lesson == 0;
}

int AccessibleLessonStrip::childCount() const
{
    return std::max(window_.numLessons, 0) + (introductionListed() ? 1 : 0);
}

QAccessibleInterface* AccessibleLessonStrip::child(int index) const
{
    return index >= 0 && index < childCount() ? items_.part(keyAt(index)) : nullptr;
}

int AccessibleLessonStrip::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* item = dynamic_cast<const AccessibleLessonItem*>(child);
    if (!item || item->parent() != this)
        return -1;
    const int index = introductionListed() ? item->lesson() : item->lesson() - 1;
    return index >= 0 && index < childCount() ? index : -1;
}

QAccessibleInterface* AccessibleLessonStrip::childAt(int x, int y) const
{
    const QPoint local = window_.Image15->mapFromGlobal(QPoint(x, y));
    if (!window_.Image15->rect().contains(local))
        return nullptr;
    const std::int32_t lesson = window_.lessonRows().lessonAt(local.y());
    return lesson != 0 ? items_.part(lesson) : nullptr;
}

QAccessibleInterface* AccessibleLessonStrip::focusChild() const
{
    const std::int32_t lesson = window_.Image15->hasFocus() ? window_.lessonCursor->cursor() : 0;
    return lesson > 0 ? items_.part(lesson) : nullptr;
}

void AccessibleLessonStrip::reportChanges()
{
    const bool introduction = introductionListed();
    const int lesson = PlayedClip::of(window_).lesson;
    if (introduction != toldIntroduction_) {
        QAccessibleEvent reorder(window_.Image15, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
    if (lesson != toldLesson_) {
        if (toldLesson_ > 0 || (toldLesson_ == 0 && introduction))
            tellSelection(toldLesson_, QAccessible::SelectionRemove);
        if (lesson >= 0)
            tellSelection(lesson, QAccessible::Selection);
    }
    toldLesson_ = lesson;
    toldIntroduction_ = introduction;
}

void AccessibleLessonStrip::tellSelection(int lesson, QAccessible::Event event) const
{
    if (lesson > window_.numLessons)
        return;
    QAccessibleEvent selection(items_.part(lesson), event);
    QAccessible::updateAccessibility(&selection);
}

QString AccessibleLessonItem::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return {};
    return lesson_ == 0 ? QStringLiteral("Introduction") : lessonItemName(strip_->frmMain(), lesson_);
}

// The row's lines on the strip picture; the introduction has no row.
QRect AccessibleLessonItem::rect() const
{
    const TImage* picture = strip_->frmMain().Image15;
    const LessonRows rows = strip_->frmMain().lessonRows();
    if (lesson_ == 0 || rows.height < 0)
        return {};
    const QRect row(0, int(rows.top(lesson_)), picture->width(), rows.height + 1);
    return QRect(picture->mapToGlobal(row.topLeft()), row.size());
}

QAccessible::State AccessibleLessonItem::state() const
{
    QAccessible::State state = sharedState();
    state.selectable = true;
    state.selected = PlayedClip::of(strip_->frmMain()).lesson == lesson_;
    state.focusable = lesson_ > 0;
    state.focused = lesson_ > 0 && strip_->focusChild() == this;
    return state;
}

QStringList AccessibleLessonItem::actionNames() const
{
    if (lesson_ == 0)
        return {};
    return {pressAction(), showMenuAction()};
}

void AccessibleLessonItem::doAction(const QString& action)
{
    if (action == pressAction() && lesson_ > 0)
        runForReader(&strip_->frmMain(), [window = &strip_->frmMain(), lesson = lesson_] { window->chooseLesson(lesson); });
    else if (action == showMenuAction() && lesson_ > 0)
        runForReader(&strip_->frmMain(), [window = &strip_->frmMain(), lesson = lesson_] {
            requestLessonMenu(*window, lesson);
        });
}
