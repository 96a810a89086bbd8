#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "IniDocument.h"

// The default a read passes where a missing key must be told apart from any
// value the file could hold; a value written exactly like it counts as missing.
inline const QString kMissingValueMarker = QStringLiteral("\u00A7ERROR\u00A7");

// The INI store: reads and writes one file by its full path with the rules of
// the private profile functions. A store opened for reading sees the file as
// its stamp shows it: a file whose stamp has not changed is read and parsed
// only once in the process. A store that changes the file works on the file
// as read from the disc by that store, never on that shared copy, because a
// stamp can hide a change (a network home answers stat from a cache, FAT
// keeps times to 2 s) and a stale copy written back would undo it. Files
// are in the system code page; one saved with a UTF-8 or UTF-16 byte-order
// mark is read and rewritten in its own encoding, and a code-page file becomes
// UTF-8 with its mark when it must hold a character the code page lacks, so
// no text is ever lost.
//
// Writes are checked against the file system at once, and reach the file when
// the store is closed (or destroyed), all of one operation's writes in one
// safe replacement: the file is never torn and never holds half a section.
class IniStore {
public:
    IniStore() = default;
    IniStore(const IniStore&) = delete;
    IniStore& operator=(const IniStore&) = delete;
    ~IniStore();

    // A course file (qel.ini, sp.dat) is read through the course files' gate:
    // one that lies outside the course or is too large for a settings file
    // cannot be read.
    enum class Access { Read, Edit, ReadCourseFile };

    // Binds the store to the file; reads nothing and never fails. A store
    // opened to edit reads the file from the disc at its first look and
    // keeps that reading, with its own changes, until it is closed, so what
    // it writes rests on what its reads returned.
    void open(const QString& path, Access access = Access::Read);

    // False when the file is there but cannot be read whole (a read error
    // part-way, a disc that does not answer). Such a file is never replaced,
    // and reading from it raises "Cannot read file %s".
    bool readable();

    // The value, or the default (less trailing spaces) when the file, the
    // section or the key is missing.
    QString read(const QString& section, const QString& key, const QString& defaultValue);

    // The key names of the section, in lower case as names match; empty
    // when the file or the section is missing.
    QStringList keyNames(const QString& section);

    // The section's values by key name, in lower case as names match, each
    // as read gives it; a missing key has no entry. One look at the file
    // for a reader that wants many keys of a section.
    QHash<QString, QString> sectionValues(const QString& section);

    // The numbers N from 1 to the limit, ascending, for which the section holds
    // the key prefix + N (N in decimal without leading zeros). A numbered list
    // is walked through these, so a huge count in the file costs no more than
    // the keys the file really holds.
    std::vector<std::int32_t> keyNumbers(const QString& section, const QString& prefix, std::int32_t limit);

    // Raise "Unable to write to %s" when the system refuses the change.
    void write(const QString& section, const QString& key, const QString& value);
    void erase(const QString& section);

    // Writes what changed and releases the file; raises "Unable to write to
    // %s" when the file cannot be replaced, which then stays as it was.
    void close();

    // Drops the changes not yet written; the file stays as it is on disk.
    void discard();

    const QString& path() const { return path_; }

private:
    struct FileStamp {
        bool exists = false;
        bool reachable = true;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modifiedNs = 0;
        long long changedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };

    struct DocumentRead {
        FileStamp stamp;
        IniDocument document;
    };

    static FileStamp stampOf(const QByteArray& path);
    static std::map<QByteArray, DocumentRead>& documentsRead();
    void load(const FileStamp& stamp);
    void loadFromDisc(const FileStamp& stamp);
    std::optional<std::string> readFromDisc() const;
    void beginEditing();
    const IniDocument& current();
    const IniDocument& readableDocument();
    QByteArray writableTarget() const;
    void flush();
    void refuseUnreadableFile() const;
    [[noreturn]] void raiseUnableToWrite() const;

    QString path_;
    QByteArray nativePath_;
    std::optional<FileStamp> cachedStamp_;
    IniDocument cached_;
    bool unreadable_ = false;
    bool courseFile_ = false;
    bool editing_ = false;       // reads and writes rest on cached_ as read from the disc by this store
    bool readFromDisc_ = false;  // cached_ was read from the disc since the store was opened
    QByteArray pendingTarget_;  // where unwritten changes go; empty when there are none
};
