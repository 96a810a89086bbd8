#include "ClipOpenFailure.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QFile>

namespace {

enum class FileState { Missing, Unreadable, Readable };

// Opens the file and reads its first byte, as the player would.
FileState stateOf(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Unreadable;
    char first = 0;
    const ssize_t got = ::read(fd, &first, 1);
    ::close(fd);
    return got < 0 ? FileState::Unreadable : FileState::Readable;
}

QString plainWords(const QString& path, ClipOpenFailure::Cause cause)
{
    if (cause == ClipOpenFailure::Cause::NoPicture)
        return QStringLiteral("The video %1 is in a format that cannot be played.").arg(path);
    if (cause == ClipOpenFailure::Cause::NoPlayer)
        return QStringLiteral("The video %1 cannot be played, as the video player could not be started.").arg(path);
    switch (stateOf(path)) {
    case FileState::Missing:
        return QStringLiteral("The video file %1 cannot be found.").arg(path);
    case FileState::Unreadable:
        return QStringLiteral("The video file %1 cannot be read from its disc.").arg(path);
    case FileState::Readable:
        break;
    }
    return QStringLiteral("The file %1 is damaged or is not a video.").arg(path);
}

}  // namespace

QString ClipOpenFailure::message(const QString& path, Cause cause, const QString& playerReason)
{
    const QString words = plainWords(path, cause);
    return playerReason.isEmpty() ? words : words + QStringLiteral("\n(The player says: %1)").arg(playerReason);
}
