#include "CourseFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "QuotedValue.h"
#include "SystemCalls.h"

namespace {

constexpr qint64 kMiB = 1024 * 1024;

std::mutex folderLock;
QString folderConfined;  // cleaned and absolute; empty confines nothing

// Closes the descriptor when the read is over, however it ends.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

CourseFiles::Refusal openRefusal(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return CourseFiles::Refusal::Missing;
    // A link put where the real file was found.
    if (error == ELOOP)
        return CourseFiles::Refusal::OutsideCourse;
    return CourseFiles::Refusal::Unreadable;
}

// Where the file really lies, once it is known to lie inside the folder: a
// name that climbs out with "..", or a link that leads out, is refused.
CourseFiles::Refusal placeInside(const QString& path, const QString& folder, QString& real)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QFileInfo entry(absolute);
    if (!entry.exists() && !entry.isSymLink())
        return CourseFiles::Refusal::Missing;
    real = CourseFiles::realPathInside(absolute, folder);
    if (!real.isEmpty())
        return CourseFiles::Refusal::None;
    return entry.exists() ? CourseFiles::Refusal::OutsideCourse : CourseFiles::Refusal::Missing;
}

// The rest of an open file, expected to hold about sizeHint bytes; refused
// once it holds more than limit.
CourseFiles::Read readToEnd(int fd, qint64 sizeHint, qint64 limit)
{
    QByteArray bytes(qsizetype(sizeHint) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                return {{}, CourseFiles::Refusal::TooLarge};
            bytes.resize(std::min<qsizetype>(limit + 1, got * 2 + 4096));
        }
        const ssize_t step = SystemCalls::retryInterrupted(
            [&] { return ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got)); });
        if (step < 0)
            return {{}, CourseFiles::Refusal::Unreadable};
        if (step == 0)
            break;
        got += step;
    }
    bytes.truncate(got);
    return {bytes, CourseFiles::Refusal::None};
}

// Reads a regular file of at most limit bytes. The open does not wait for a
// writer at a pipe or a device to answer; what is no regular file is refused
// before a byte of it is read, and a file that grows past the limit while it
// is read is refused too.
CourseFiles::Read readRegularFile(const QString& path, qint64 limit, bool followLink)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (followLink ? 0 : O_NOFOLLOW);
    const QByteArray name = QFile::encodeName(path);
    const Descriptor file{SystemCalls::retryInterrupted([&] { return ::open(name.constData(), flags); })};
    if (file.fd < 0)
        return {{}, openRefusal(errno)};
    struct stat status {};
    if (::fstat(file.fd, &status) != 0)
        return {{}, CourseFiles::Refusal::Unreadable};
    if (!S_ISREG(status.st_mode))
        return {{}, CourseFiles::Refusal::NotRegular};
    if (status.st_size > limit)
        return {{}, CourseFiles::Refusal::TooLarge};
    return readToEnd(file.fd, status.st_size, limit);
}

}  // namespace

void CourseFiles::confineTo(const QString& folder)
{
    const std::lock_guard lock(folderLock);
    folderConfined = folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
}

QString CourseFiles::confinedFolder()
{
    const std::lock_guard lock(folderLock);
    return folderConfined;
}

qint64 CourseFiles::limitFor(Kind kind)
{
    switch (kind) {
    case Kind::Picture:
        return 8 * kMiB;
    case Kind::Settings:
        return 1 * kMiB;
    case Kind::Sound:
    case Kind::Captions:
        return 16 * kMiB;
    }
    return 0;
}

bool CourseFiles::liesInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

QString CourseFiles::realPathInside(const QString& path, const QString& folder)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty() || realFolder.isEmpty() || !liesInside(real, realFolder))
        return QString();
    return real;
}

CourseFiles::Read CourseFiles::read(const QString& path, Kind kind)
{
    return read(path, kind, confinedFolder());
}

CourseFiles::Read CourseFiles::read(const QString& path, Kind kind, const QString& folder)
{
    if (folder.isEmpty())
        return readRegularFile(path, limitFor(kind), true);
    QString real;
    const Refusal placed = placeInside(path, folder, real);
    if (placed != Refusal::None)
        return {{}, placed};
    return readRegularFile(real, limitFor(kind), false);
}

QString CourseFiles::cannotReadMessage(const QString& path)
{
    return QStringLiteral("Cannot read file %1").arg(quotedValue(path));
}
