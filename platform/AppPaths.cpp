#include "AppPaths.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool entryExists(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

// The entry of the folder whose name equals the given one without regard to case.
QString caseInsensitiveEntry(const QString& folder, const QString& name)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                       QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

}  // namespace

AppPaths::AppPaths(const QString& directory) : directory_(directory)
{
    if (!directory_.endsWith(u'/'))
        directory_ += u'/';
}

QString AppPaths::executablePath()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString AppPaths::executableDirectory()
{
    return QFileInfo(executablePath()).absolutePath() + u'/';
}

QString AppPaths::nativePath(const QString& relativePath) const
{
    const QStringList parts = QString(relativePath).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    QString path = directory_;
    path.chop(1);
    bool matching = true;
    for (const QString& part : parts) {
        QString candidate = path + u'/' + part;
        if (matching && !entryExists(candidate)) {
            const QString entry = caseInsensitiveEntry(path, part);
            if (entry.isEmpty())
                matching = false;
            else
                candidate = path + u'/' + entry;
        }
        path = candidate;
    }
    return parts.isEmpty() ? directory_ : path;
}
