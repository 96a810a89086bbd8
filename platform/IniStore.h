#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "IniDocument.h"

// The INI store: reads and writes one file by its full path with the rules of
// the private profile functions. Every read sees the file as it is on disk,
// but an unchanged file is parsed only once. Every write reaches the file at
// once and never leaves it torn. Texts cross to bytes through the system code
// page.
class IniStore {
public:
    // Binds the store to the file; reads nothing and never fails.
    void open(const QString& path);

    // The value, or the default (less trailing spaces) when the file, the
    // section or the key is missing.
    QString read(const QString& section, const QString& key, const QString& defaultValue);

    // Raises "Unable to write to %s" when the system refuses the change.
    void write(const QString& section, const QString& key, const QString& value);
    void erase(const QString& section);

    void close();

    const QString& path() const { return path_; }

private:
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modifiedNs = 0;
        long long changedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };

    static FileStamp stampOf(const QByteArray& path);
    const IniDocument& current();
    QByteArray writableTarget() const;
    void store(const QByteArray& target, const IniDocument& edited);
    [[noreturn]] void raiseUnableToWrite() const;

    QString path_;
    QByteArray nativePath_;
    std::optional<FileStamp> cachedStamp_;
    IniDocument cached_;
};
