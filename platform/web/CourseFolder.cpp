#include "CourseFolder.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

#include "AppPaths.h"
#include "CourseFiles.h"

namespace {

// A part of a path that names one entry of a folder and nothing more: not the
// folder itself or its parent, and no separator hidden inside by escaping.
bool isPlainEntryName(const QString& part)
{
    return part != QLatin1String(".") && part != QLatin1String("..") && !part.contains(u'\\') &&
           !part.contains(QChar(0));
}

}  // namespace

CourseFolder::CourseFolder(const QString& folder) : folder_(QDir::cleanPath(QDir(folder).absolutePath())) {}

QUrl CourseFolder::origin()
{
    return QUrl(QStringLiteral("%1://%2").arg(QLatin1String(kScheme), QLatin1String(kHost)));
}

QUrl CourseFolder::addressOf(const QString& nativePath) const
{
    const QString path = QDir::cleanPath(QDir(folder_).absoluteFilePath(nativePath));
    if (!CourseFiles::liesInside(path, folder_))
        return QUrl();
    QUrl address = origin();
    address.setPath(u'/' + QDir(folder_).relativeFilePath(path), QUrl::DecodedMode);
    return address;
}

QString CourseFolder::fileAt(const QUrl& address) const
{
    if (address.scheme() != QLatin1String(kScheme) || address.host() != QLatin1String(kHost))
        return QString();
    const QStringList parts = address.path(QUrl::FullyDecoded).split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty() || !std::all_of(parts.cbegin(), parts.cend(), isPlainEntryName))
        return QString();
    const QFileInfo file(AppPaths(folder_).nativePath(parts.join(u'/')));
    const QString real = CourseFiles::realPathInside(file.filePath(), folder_);
    if (real.isEmpty() || !QFileInfo(real).isFile())
        return QString();
    return real;
}
