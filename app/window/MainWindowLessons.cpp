// The lesson strip: pointing at a lesson's row shows the hand, clicking it
// loads and plays that lesson.
#include <QFileInfo>

#include "CD_Quorvate1.h"
#include "accessible/ChangeReporting.h"

LessonRows TfrmMain::lessonRows() const
{
    return {numLessons, lessonSp, lessonHeight, lessonOffset};
}

void TfrmMain::Image15MouseMove(Qt::KeyboardModifiers, int, int y)
{
    if (numLessons < 1)
        return;
    Image15->setCursor(lessonRows().lessonAt(y) != 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

// Any button counts.
void TfrmMain::Image15MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int y)
{
    if (const std::int32_t lesson = lessonRows().lessonAt(y); lesson != 0)
        chooseLesson(lesson);
}

// A lesson whose video is missing is not offered: nothing changes and
// nothing is said.
void TfrmMain::chooseLesson(std::int32_t lesson)
{
    if (lesson < 1 || lesson > numLessons)
        return;
    const QString fileName = lessonFileName(lesson);
    if (!QFileInfo(mediaPath(QStringLiteral("Media\\") + fileName)).isFile())
        return;
    imgHighlite->setVisibleFlag(true);
    currentLesson = QString::number(lesson);
    loadBookmarks();
    const QRect before = imgHighlite->geometry();
    imgHighlite->move(imgHighlite->x(), lessonRows().highlightTop(lesson, selDrawOffset));
    // The banner and the clip that follow may wait on a slow disc: the chosen
    // row shows first.
    imgHighlite->parentWidget()->repaint(QRegion(before) + imgHighlite->geometry());
    adSwap();
    movieSwap(fileName);
    reportAccessibleChanges({Image15, ActiveMovie1});
    emit lessonChosen(lesson);
}
