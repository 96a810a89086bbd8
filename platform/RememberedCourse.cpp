#include "RememberedCourse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DataFolder.h"
#include "SafeFileWriter.h"

namespace {

constexpr char kCourseKey[] = "course=";

}  // namespace

RememberedCourse::RememberedCourse(QString configFile) : configFile_(std::move(configFile)) {}

RememberedCourse RememberedCourse::forUser()
{
    const QString base = userBaseFolder("XDG_CONFIG_HOME", ".config");
    return RememberedCourse(base.isEmpty() ? QString() : base + QStringLiteral("/tovrelle/tovrelle.conf"));
}

QString RememberedCourse::folder() const
{
    QFile file(configFile_);
    if (configFile_.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(kCourseKey))
            return QFile::decodeName(line.mid(qstrlen(kCourseKey)));
    }
    return QString();
}

bool RememberedCourse::remember(const QString& folder) const
{
    const QByteArray path = QFile::encodeName(folder);
    // A line break would end the line early and give a different folder back.
    if (configFile_.isEmpty() || path.isEmpty() || path.contains('\n'))
        return false;
    if (!QDir().mkpath(QFileInfo(configFile_).absolutePath()))
        return false;
    const std::string contents = std::string(kCourseKey) + path.toStdString() + '\n';
    return SafeFileWriter::replaceContents(QFile::encodeName(configFile_), contents);
}
