#include "CourseFolderChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include "AppPaths.h"
#include "ErrorReporting.h"
#include "QuotedValue.h"

// The program's own messages on the terminal, printed as "tovrelle: <text>".
Q_LOGGING_CATEGORY(programMessages, "tovrelle")

namespace {

bool holdsCourse(const QString& folder)
{
    return QFileInfo(AppPaths(folder).nativePath(QStringLiteral("Media"))).isDir();
}

// The folder's absolute path, as the learner will recognise it in a message.
QString shownPath(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

QString quotedPath(const QString& folder)
{
    return quotedValue(shownPath(folder));
}

// Why the folder cannot be opened as a course; empty when it can.
QString refusal(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty())
        return QStringLiteral("An empty name is not a course folder");
    if (!info.exists())
        return QStringLiteral("The course folder %1 does not exist").arg(quotedPath(folder));
    if (!info.isDir())
        return QStringLiteral("%1 is a file, not a course folder").arg(quotedPath(folder));
    if (!holdsCourse(folder))
        return QStringLiteral("The folder %1 holds no course: it has no Media folder").arg(quotedPath(folder));
    return QString();
}

}  // namespace

CourseFolderChoice::CourseFolderChoice(RememberedCourse& remembered, FolderChooser& chooser, QString programFolder)
    : remembered_(remembered), chooser_(chooser), programFolder_(std::move(programFolder))
{
}

std::optional<QString> CourseFolderChoice::choose(const std::optional<QString>& givenFolder)
{
    if (givenFolder)
        return accept(*givenFolder);
    if (holdsCourse(programFolder_))
        return programFolder_;
    const QString last = remembered_.folder();
    if (!last.isEmpty() && holdsCourse(last))
        return last;
    return askLearner();
}

std::optional<QString> CourseFolderChoice::accept(const QString& folder)
{
    if (const QString text = refusal(folder); !text.isEmpty()) {
        ErrorReporting::reportText(text);
        return std::nullopt;
    }
    rememberCourse(folder);
    return shownPath(folder);
}

std::optional<QString> CourseFolderChoice::askLearner()
{
    QString start = remembered_.folder();
    for (;;) {
        const QString picked = chooser_.chooseFolder(start);
        if (picked.isEmpty())
            return std::nullopt;
        if (const auto course = accept(picked))
            return course;
        start = picked;
    }
}

void CourseFolderChoice::rememberCourse(const QString& folder)
{
    if (!remembered_.remember(shownPath(folder)))
        qCWarning(programMessages, "the course folder could not be remembered in %s",
                  qUtf8Printable(remembered_.configFile()));
}
