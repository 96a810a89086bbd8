#pragma once

#include <QByteArray>
#include <QString>

// The one way the program reads a file that the course names: the banners,
// the skin and lesson pictures, qel.ini, sp.dat, the button bar's sound and
// the captions. A course folder handed over by someone else may hold a pipe,
// a link to a device or to a file elsewhere, or a file far larger than its
// kind ever is; such a file is a file that cannot be read, so the window never
// waits on it, never swallows it and never shows what lies outside the course.
//
// The rule, in order: the path lies inside the course folder, also once its
// symbolic links are followed; the file opens without blocking; it is a
// regular file; it is no larger than the limit of its kind.
// Any thread may read; the course folder is set on the UI thread before the
// first read.
class CourseFiles {
public:
    enum class Kind { Picture, Settings, Sound, Captions };
    enum class Refusal { None, Missing, OutsideCourse, NotRegular, TooLarge, Unreadable };

    struct Read {
        QByteArray bytes;
        Refusal refusal = Refusal::None;
        bool ok() const { return refusal == Refusal::None; }
    };

    // The folder whose files the course may name; an empty folder confines
    // nothing (a tool or test reading single files). The main window sets its
    // course's folder for as long as it lives.
    static void confineTo(const QString& folder);

    // Confines the reads to a folder for as long as it lives.
    class Confinement {
    public:
        explicit Confinement(const QString& folder) { confineTo(folder); }
        ~Confinement() { confineTo(QString()); }
        Confinement(const Confinement&) = delete;
        Confinement& operator=(const Confinement&) = delete;
    };

    // The largest file of each kind, in bytes.
    static qint64 limitFor(Kind kind);

    // Whether a cleaned absolute path lies inside the folder, by its name alone.
    static bool liesInside(const QString& path, const QString& folder);

    // The real path of an existing entry inside the folder, or empty when the
    // path climbs out of the folder, leads out through a symbolic link, or
    // names nothing.
    static QString realPathInside(const QString& path, const QString& folder);

    // The folder the reads are confined to now; empty for none.
    static QString confinedFolder();

    // Reads the whole file at a native path, or tells why it cannot be read.
    static Read read(const QString& path, Kind kind);
    // The same within the folder given (a read on another thread keeps the
    // folder of the moment it was asked for).
    static Read read(const QString& path, Kind kind, const QString& folder);

    // The message for a file that cannot be read, naming it.
    static QString cannotReadMessage(const QString& path);
};
