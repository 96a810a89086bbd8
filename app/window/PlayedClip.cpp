#include "PlayedClip.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "CD_Quorvate1.h"

PlayedClip PlayedClip::of(const TfrmMain& window)
{
    static const QRegularExpression lessonFile(QStringLiteral("^vid_(\\d+)\\.avi$"),
                                               QRegularExpression::CaseInsensitiveOption);
    PlayedClip clip;
    if (window.ActiveMovie1->PlayState() == VideoControl::Closed)
        return clip;
    const auto match = lessonFile.match(QFileInfo(window.ActiveMovie1->FileName()).fileName());
    if (!match.hasMatch())
        return clip;
    clip.lesson = match.captured(1).toInt();
    clip.title = clip.lesson == 0            ? QStringLiteral("Introduction")
                 : window.numLessons >= 1 ? QStringLiteral("Lesson %1").arg(clip.lesson)
                                          : window.lessonName;
    return clip;
}
