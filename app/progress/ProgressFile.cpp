#include "ProgressFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>

#include "ProgressLog.h"
#include "SafeFileWriter.h"

Q_LOGGING_CATEGORY(progressLog, "tovrelle")

namespace {

// A progress file is a few lines; anything larger is not one.
constexpr qint64 kLargestFile = 64 * 1024;

// Holds the lock beside the file for the life of the object. Without a lock
// file (a read-only folder) the work goes on unlocked: nothing can be written
// there by anyone.
class FileLock {
public:
    explicit FileLock(const QString& path)
        : fd_(::open(QFile::encodeName(path + QStringLiteral(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                     0600))
    {
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

}  // namespace

ProgressFile::ProgressFile(QString path) : path_(std::move(path)) {}

// A course without a file leaves the data folder as it is, lock and all.
CourseProgress ProgressFile::read() const
{
    if (!QFile::exists(path_))
        return {};
    FileLock lock(path_);
    return readLocked();
}

CourseProgress ProgressFile::readLocked() const
{
    QFile file(path_);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        setAside("cannot be read");
        return {};
    }
    if (file.size() > kLargestFile) {
        setAside("is damaged");
        return {};
    }
    const ProgressText::Parsed parsed = ProgressText::parse(file.read(kLargestFile));
    switch (parsed.reading) {
    case ProgressText::Reading::Read:
        return parsed.progress;
    case ProgressText::Reading::Newer:
        setAside("comes from a newer version of the program");
        return {};
    case ProgressText::Reading::Damaged:
        setAside("is damaged");
        return {};
    }
    return {};
}

// The file keeps its bytes under a name of its own, for a newer program or a
// person to look at; the course starts afresh.
void ProgressFile::setAside(const char* why) const
{
    const QString aside = path_ + QStringLiteral(".set-aside-")
                          + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    const bool moved = QFile::rename(path_, aside);
    qCWarning(progressLog).noquote() << QStringLiteral("The course's progress file %1 %2; it was %3.")
                                .arg(path_, QLatin1String(why),
                                     moved ? QStringLiteral("set aside as %1").arg(aside)
                                           : QStringLiteral("left as it is and not used"));
}

bool ProgressFile::apply(const ProgressChange& change) const
{
    FileLock lock(path_);
    CourseProgress progress = readLocked();
    change.applyTo(progress);
    const QByteArray target = SafeFileWriter::finalTarget(QFile::encodeName(path_));
    return SafeFileWriter::replaceContents(target, ProgressText::format(progress));
}

bool ProgressFile::forget() const
{
    if (!QFile::exists(path_))
        return true;
    FileLock lock(path_);
    return !QFile::exists(path_) || QFile::remove(path_);
}
