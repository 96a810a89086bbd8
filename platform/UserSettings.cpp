#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DataFolder.h"
#include "SafeFileWriter.h"

namespace {

QByteArray keyOf(const char* name)
{
    return QByteArray(name) + '=';
}

}  // namespace

UserSettings::UserSettings(QString file) : file_(std::move(file)) {}

UserSettings UserSettings::forUser()
{
    const QString base = userBaseFolder("XDG_CONFIG_HOME", ".config");
    return UserSettings(base.isEmpty() ? QString() : base + QStringLiteral("/tovrelle/tovrelle.conf"));
}

QByteArray UserSettings::contents() const
{
    QFile file(file_);
    if (file_.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::optional<QByteArray> UserSettings::value(const char* name) const
{
    const QByteArray key = keyOf(name);
    for (const QByteArray& line : contents().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size());
    }
    return std::nullopt;
}

bool UserSettings::setValue(const char* name, const QByteArray& value) const
{
    // A line break would end the line early and give a different value back.
    if (file_.isEmpty() || value.contains('\n'))
        return false;
    if (!QDir().mkpath(QFileInfo(file_).absolutePath()))
        return false;
    const QByteArray key = keyOf(name);
    QByteArray kept;
    for (const QByteArray& line : contents().split('\n')) {
        if (!line.isEmpty() && !line.startsWith(key))
            kept += line + '\n';
    }
    kept += key + value + '\n';
    return SafeFileWriter::replaceContents(QFile::encodeName(file_), kept.toStdString());
}
