#include "LessonMenu.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>

#include "CD_Quorvate1.h"

LessonMenu::LessonMenu(TfrmMain& window, QObject* owner, Actions actions)
    : QObject(owner), window_(window), actions_(std::move(actions))
{
    window.Image15->installEventFilter(this);
}

void LessonMenu::fill(QMenu& menu, std::int32_t lesson) const
{
    QAction* unwatch = menu.addAction(QStringLiteral("Mark Lesson %1 as Not Watched").arg(lesson),
                                      [this, lesson] { actions_.unwatch(lesson); });
    unwatch->setEnabled(window_.watchedLessons.contains(lesson));
    menu.addAction(QStringLiteral("Forget This Course's Progress..."), [this] {
        if (actions_.confirmForget())
            actions_.forgetCourse();
    });
}

bool LessonMenu::askToForget(QWidget* parent)
{
    return QMessageBox::question(parent, QStringLiteral("Forget Progress"),
                                 QStringLiteral("Forget which lessons you have watched and where you left off "
                                                "in this course? Your bookmarks stay."),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

// The Menu key and Shift+F10 act on the lesson under the keyboard's cursor, a
// reader's request on its own lesson. The window system's own menu requests
// (from the mouse, or from the Menu key once more) open nothing: a click
// chooses the lesson.
std::int32_t LessonMenu::lessonFor(const QEvent& event) const
{
    if (event.type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(event);
        const bool menuKey = key.key() == Qt::Key_Menu
                             || (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
        return menuKey ? window_.lessonCursor->cursor() : 0;
    }
    if (event.type() != QEvent::ContextMenu)
        return 0;
    const auto& request = static_cast<const QContextMenuEvent&>(event);
    if (request.reason() != QContextMenuEvent::Other)
        return 0;
    return window_.lessonRows().lessonAt(request.pos().y());
}

bool LessonMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_.Image15 || window_.numLessons < 1)
        return false;
    const std::int32_t lesson = lessonFor(*event);
    if (lesson < 1)
        return event->type() == QEvent::ContextMenu;
    open(lesson, window_.lessonRows().rowArea(lesson, window_.Image15->width()).center());
    return true;
}

void LessonMenu::open(std::int32_t lesson, const QPoint& where)
{
    QMenu menu(window_.Image15);
    fill(menu, lesson);
    menu.exec(window_.Image15->mapToGlobal(where));
}
