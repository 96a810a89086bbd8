#include "CourseIdentity.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>

#include "CourseFiles.h"

namespace {

// Bounds the work on a course that is not what it claims to be.
constexpr qsizetype kMostMediaFiles = 10000;

// Read through the course's gate, so that a pipe or a device named qel.ini
// never holds the progress thread, and with it the program's exit.
QByteArray settingsBytes(const QString& qelIni)
{
    const CourseFiles::Read file = CourseFiles::read(qelIni, CourseFiles::Kind::Settings);
    return file.ok() ? file.bytes : QByteArray("no settings");
}

// "name size" lines of the lesson videos, names in lower case and sorted, as
// a copy from a disc may change both the order and the letter case. Other
// files there, such as a caption file the learner adds, change nothing.
QByteArray lessonListing(const QString& mediaFolder)
{
    static const QRegularExpression lessonFile(QStringLiteral("^vid_\\d+\\.avi$"));
    std::vector<std::pair<QString, qint64>> files;
    const QFileInfoList entries = QDir(mediaFolder).entryInfoList(QDir::Files, QDir::NoSort);
    for (const QFileInfo& entry : entries.mid(0, kMostMediaFiles)) {
        if (const QString name = entry.fileName().toLower(); lessonFile.match(name).hasMatch())
            files.emplace_back(name, entry.size());
    }
    std::sort(files.begin(), files.end());
    QByteArray listing;
    for (const auto& [name, size] : files)
        listing += name.toUtf8() + ' ' + QByteArray::number(size) + '\n';
    return listing;
}

}  // namespace

namespace CourseIdentity {

QString of(const QString& qelIni, const QString& mediaFolder)
{
    QCryptographicHash digest(QCryptographicHash::Sha256);
    const QByteArray settings = settingsBytes(qelIni);
    digest.addData(QByteArray::number(settings.size()) + '\n');
    digest.addData(settings);
    digest.addData(lessonListing(mediaFolder));
    return QString::fromLatin1(digest.result().toHex().left(32));
}

QString progressFileName(const QString& identity)
{
    return QStringLiteral("progress-%1.txt").arg(identity);
}

}  // namespace CourseIdentity
