#include "DataFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include <QFile>

#include "AppError.h"

namespace {

// Creates the folder and its parents; the error number of the first failure, or 0.
int makeFolders(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    for (qsizetype slash = native.indexOf('/', 1); ; slash = native.indexOf('/', slash + 1)) {
        const QByteArray step = slash < 0 ? native : native.left(slash);
        if (::mkdir(step.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (slash < 0)
            break;
    }
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

}  // namespace

QString userBaseFolder(const char* variable, const char* underHome)
{
    const char* chosen = std::getenv(variable);
    if (chosen && chosen[0] == '/')
        return QFile::decodeName(chosen);
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return QFile::decodeName(home) + u'/' + QLatin1String(underHome);
    return QString();
}

QString systemMessage(int errorNumber)
{
    QString text = QString::fromLocal8Bit(std::strerror(errorNumber));
    while (!text.isEmpty() && (text.back() <= QChar(u' ') || text.back() == QChar(u'.')))
        text.chop(1);
    return text;
}

QString UserDataFolder::locate()
{
    const QString base = userBaseFolder("XDG_DATA_HOME", ".local/share");
    if (base.isEmpty())
        throw AppError(systemMessage(ENOENT));
    const QString folder = base + QStringLiteral("/tovrelle");
    if (const int error = makeFolders(folder))
        throw AppError(systemMessage(error));
    return folder;
}
