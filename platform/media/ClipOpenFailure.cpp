#include "ClipOpenFailure.h"

#include <cerrno>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "QuotedValue.h"

namespace {

enum class FileState { Missing, Unreadable, Readable };

// Opens the file and reads its first byte, as the player would. Without
// waiting for a writer: a pipe or a device named like a clip is no clip.
FileState stateOf(const QString& path)
{
    int fd = -1;
    do
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileState::Missing : FileState::Unreadable;
    struct stat status {};
    char first = 0;
    ssize_t got = 0;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        do
            got = ::read(fd, &first, 1);
        while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    return got < 0 ? FileState::Unreadable : FileState::Readable;
}

QString plainWords(const QString& path, ClipOpenFailure::Cause cause)
{
    const QString shown = quotedValue(path);
    if (cause == ClipOpenFailure::Cause::NoPicture)
        return QStringLiteral("The video %1 is in a format that cannot be played.").arg(shown);
    if (cause == ClipOpenFailure::Cause::NoPlayer)
        return QStringLiteral("The video %1 cannot be played, as the video player could not be started.").arg(shown);
    switch (stateOf(path)) {
    case FileState::Missing:
        return QStringLiteral("The video file %1 cannot be found.").arg(shown);
    case FileState::Unreadable:
        return QStringLiteral("The video file %1 cannot be read from its disc.").arg(shown);
    case FileState::Readable:
        break;
    }
    return QStringLiteral("The file %1 is damaged or is not a video.").arg(shown);
}

}  // namespace

QString ClipOpenFailure::message(const QString& path, Cause cause, const QString& playerReason)
{
    const QString words = plainWords(path, cause);
    return playerReason.isEmpty() ? words : words + QStringLiteral("\n(The player says: %1)").arg(playerReason);
}

// What a probing thread shares with its probe: the probe while it stands.
struct ClipOpenFailureProbe::Link {
    std::mutex mutex;
    ClipOpenFailureProbe* probe = nullptr;
};

ClipOpenFailureProbe::ClipOpenFailureProbe() : link_(std::make_shared<Link>())
{
    link_->probe = this;
}

// A thread that finishes after this posts nothing; one that posted before
// has its post dropped with this object.
ClipOpenFailureProbe::~ClipOpenFailureProbe()
{
    const std::lock_guard lock(link_->mutex);
    link_->probe = nullptr;
}

void ClipOpenFailureProbe::probe(const QString& path, ClipOpenFailure::Cause cause, const QString& playerReason,
                                 Told told)
{
    std::thread([link = link_, path, cause, playerReason, told = std::move(told)]() mutable {
        QString message = ClipOpenFailure::message(path, cause, playerReason);
        const std::lock_guard lock(link->mutex);
        if (link->probe)
            QMetaObject::invokeMethod(
                link->probe, [told = std::move(told), message = std::move(message)] { told(message); },
                Qt::QueuedConnection);
    }).detach();
}
