#include "LessonProgressText.h"

#include <algorithm>

#include <QAccessible>
#include <QContextMenuEvent>
#include <QCoreApplication>

#include "CD_Quorvate1.h"

QString lessonItemName(const TfrmMain& window, std::int32_t lesson)
{
    const QString name = QStringLiteral("Lesson %1").arg(lesson);
    return window.watchedLessons.contains(lesson) ? name + QStringLiteral(", watched") : name;
}

QString watchedSummary(const TfrmMain& window)
{
    const auto watched = std::count_if(window.watchedLessons.begin(), window.watchedLessons.end(),
                                       [&window](std::int32_t lesson) { return lesson <= window.numLessons; });
    if (watched == 0)
        return {};
    return QStringLiteral("%1 of %2 lessons watched").arg(watched).arg(window.numLessons);
}

void tellWatchedChanged(const TfrmMain& window)
{
    QAccessibleEvent summary(window.Image15, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&summary);
    QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(window.Image15);
    for (int index = 0; strip && index < strip->childCount(); ++index) {
        QAccessibleEvent name(strip->child(index), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&name);
    }
}

void requestLessonMenu(const TfrmMain& window, std::int32_t lesson)
{
    const QRect row = window.lessonRows().rowArea(lesson, window.Image15->width());
    QCoreApplication::postEvent(window.Image15,
                                new QContextMenuEvent(QContextMenuEvent::Other, row.center(),
                                                      window.Image15->mapToGlobal(row.center())));
}
