#include "IniStore.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include <QFile>
#include <QRegularExpression>

#include "AppError.h"
#include "CourseFiles.h"
#include "QuotedValue.h"
#include "SafeFileWriter.h"
#include "SystemCalls.h"

namespace {

// The whole file, or nothing when it cannot be read to its end: a read that
// fails part-way (a flaky stick, a network home) is not the end of the file,
// and neither is an open that a signal interrupted.
std::optional<std::string> readWholeFile(const QByteArray& path)
{
    std::string bytes;
    const int fd = SystemCalls::retryInterrupted([&] { return ::open(path.constData(), O_RDONLY | O_CLOEXEC); });
    if (fd < 0)
        return std::nullopt;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (got < 0)
        return std::nullopt;
    return bytes;
}

// A written value is one line: leading blanks go, as with the profile
// functions, and line breaks become spaces so a value can never add keys or
// sections to the file.
QString valueLine(const QString& value)
{
    QString text = value;
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    qsizetype first = 0;
    while (first < text.size() && (text[first] == u' ' || text[first] == u'\t'))
        ++first;
    return text.mid(first);
}

QString defaultAsReturned(const QString& defaultValue)
{
    QString text = defaultValue;
    while (text.endsWith(u' '))
        text.chop(1);
    return text.left(static_cast<qsizetype>(IniDocument::kMaxValueLength));
}

}  // namespace

IniStore::~IniStore()
{
    try {
        flush();
    } catch (const AppError&) {
        // Nobody is left to tell; the file stays as it was.
    }
}

void IniStore::open(const QString& path, Access access)
{
    flush();
    path_ = path;
    nativePath_ = QFile::encodeName(path);
    cachedStamp_.reset();
    cached_ = IniDocument();
    editing_ = access == Access::Edit;
    courseFile_ = access == Access::ReadCourseFile;
    readFromDisc_ = false;
}

void IniStore::close()
{
    open(QString());
}

void IniStore::discard()
{
    pendingTarget_.clear();
    cachedStamp_.reset();
    readFromDisc_ = false;
}

// Writes the edited document; when that fails the file is unchanged, so the
// edits are dropped by reading the file again next time.
void IniStore::flush()
{
    if (pendingTarget_.isEmpty())
        return;
    const QByteArray target = std::exchange(pendingTarget_, QByteArray());
    if (!SafeFileWriter::replaceContents(target, cached_.bytes())) {
        cachedStamp_.reset();
        readFromDisc_ = false;
        raiseUnableToWrite();
    }
    cachedStamp_ = stampOf(nativePath_);
    documentsRead()[nativePath_] = {*cachedStamp_, cached_};
}

// Every store of the process shares what was read last of each file, so a
// file whose stamp has not changed is not read again for a look: the bookmark
// file on a slow disc costs a look at its stamp on each lesson click, not its
// reads. UI thread only, like the stores.
std::map<QByteArray, IniStore::DocumentRead>& IniStore::documentsRead()
{
    static std::map<QByteArray, DocumentRead> documents;
    return documents;
}

// Takes the file as its stamp shows it: from the document read last when the
// stamp has not changed since, else from the disc.
void IniStore::load(const FileStamp& stamp)
{
    const auto found = documentsRead().find(nativePath_);
    if (stamp.exists && found != documentsRead().end() && found->second.stamp == stamp) {
        cachedStamp_ = stamp;
        unreadable_ = false;
        cached_ = found->second.document;
        return;
    }
    loadFromDisc(stamp);
}

// Reads the file itself, whatever was read of it before, and leaves that
// reading for the stores that only look.
void IniStore::loadFromDisc(const FileStamp& stamp)
{
    cachedStamp_ = stamp;
    unreadable_ = !stamp.reachable;
    const auto bytes = stamp.exists ? readFromDisc() : std::optional<std::string>();
    unreadable_ = unreadable_ || (stamp.exists && !bytes);
    cached_ = bytes ? IniDocument(*bytes) : IniDocument();
    readFromDisc_ = true;
    if (bytes)
        documentsRead()[nativePath_] = {stamp, cached_};
    else
        documentsRead().erase(nativePath_);
}

std::optional<std::string> IniStore::readFromDisc() const
{
    if (!courseFile_)
        return readWholeFile(nativePath_);
    const CourseFiles::Read file = CourseFiles::read(path_, CourseFiles::Kind::Settings);
    if (!file.ok())
        return std::nullopt;
    return file.bytes.toStdString();
}

IniStore::FileStamp IniStore::stampOf(const QByteArray& path)
{
    struct stat info {};
    if (SystemCalls::retryInterrupted([&] { return ::stat(path.constData(), &info); }) != 0) {
        FileStamp missing;
        // A folder that is not there holds no file; a disc that does not
        // answer may well hold one.
        missing.reachable = errno == ENOENT || errno == ENOTDIR;
        return missing;
    }
    if (!S_ISREG(info.st_mode))
        return FileStamp{};
    return FileStamp{true, true, info.st_dev, info.st_ino, info.st_size,
                     info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
                     info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

// The file with this store's unwritten changes. A store that edits keeps the
// file as it read it from the disc; one that only looks takes the file as
// its stamp shows it, parsed again only when the stamp changed.
const IniDocument& IniStore::current()
{
    if (editing_) {
        if (!readFromDisc_)
            loadFromDisc(stampOf(nativePath_));
        return cached_;
    }
    const FileStamp stamp = stampOf(nativePath_);
    if (!cachedStamp_ || !(*cachedStamp_ == stamp))
        load(stamp);
    return cached_;
}

bool IniStore::readable()
{
    if (path_.isEmpty())
        return true;
    current();
    return !unreadable_;
}

// The file as it is now; a file that is there but cannot be read whole is
// an error, never taken for a missing or shorter one.
const IniDocument& IniStore::readableDocument()
{
    const IniDocument& document = current();
    if (unreadable_)
        throw AppError(CourseFiles::cannotReadMessage(path_));
    return document;
}

QString IniStore::read(const QString& section, const QString& key, const QString& defaultValue)
{
    if (path_.isEmpty())
        return defaultAsReturned(defaultValue);
    const auto value = readableDocument().value(section, key);
    return value ? *value : defaultAsReturned(defaultValue);
}

QStringList IniStore::keyNames(const QString& section)
{
    return path_.isEmpty() ? QStringList() : readableDocument().keyNames(section);
}

QHash<QString, QString> IniStore::sectionValues(const QString& section)
{
    return path_.isEmpty() ? QHash<QString, QString>() : readableDocument().sectionValues(section);
}

std::vector<std::int32_t> IniStore::keyNumbers(const QString& section, const QString& prefix, std::int32_t limit)
{
    const QRegularExpression numbered(QStringLiteral("^%1([1-9][0-9]{0,9})$")
                                          .arg(QRegularExpression::escape(prefix.toLower())));
    std::vector<std::int32_t> numbers;
    for (const QString& name : keyNames(section)) {
        const QRegularExpressionMatch match = numbered.match(name);
        const qint64 number = match.hasMatch() ? match.captured(1).toLongLong() : 0;
        if (number >= 1 && number <= limit)
            numbers.push_back(static_cast<std::int32_t>(number));
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QByteArray IniStore::writableTarget() const
{
    const QByteArray target = SafeFileWriter::finalTarget(nativePath_);
    if (path_.isEmpty() || !SafeFileWriter::mayReplace(target))
        raiseUnableToWrite();
    return target;
}

// A change rests on the file as read from the disc now: the reads of a store
// opened only to look may have come from the shared copy.
void IniStore::beginEditing()
{
    if (!editing_)
        readFromDisc_ = false;
    editing_ = true;
    current();
    refuseUnreadableFile();
}

void IniStore::write(const QString& section, const QString& key, const QString& value)
{
    const QByteArray target = writableTarget();
    beginEditing();
    if (cached_.setValue(section, key, valueLine(value)))
        pendingTarget_ = target;
}

void IniStore::erase(const QString& section)
{
    const QByteArray target = writableTarget();
    beginEditing();
    if (cached_.eraseSection(section))
        pendingTarget_ = target;
}

// A file that exists but cannot be read is never replaced: its contents would be lost.
void IniStore::refuseUnreadableFile() const
{
    if (unreadable_)
        raiseUnableToWrite();
}

void IniStore::raiseUnableToWrite() const
{
    throw AppError(QStringLiteral("Unable to write to %1").arg(quotedValue(path_)));
}
