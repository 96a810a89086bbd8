#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// The program's own settings in the per-user configuration file, one
// "name=value" line each: the course opened last, whether captions show.
// Writing one leaves the others as they were.
class UserSettings {
public:
    // file: the file's full path; empty when there is nowhere to keep it.
    explicit UserSettings(QString file);

    // $XDG_CONFIG_HOME/tovrelle/tovrelle.conf, or ~/.config/tovrelle/tovrelle.conf.
    static UserSettings forUser();

    const QString& file() const { return file_; }

    // The value kept under name, or nothing when none is.
    std::optional<QByteArray> value(const char* name) const;

    // Keeps the value, creating the configuration folder when missing. False
    // when it cannot be kept (a line break in it, nowhere to write); the file
    // is then as it was.
    bool setValue(const char* name, const QByteArray& value) const;

private:
    QByteArray contents() const;

    QString file_;
};
