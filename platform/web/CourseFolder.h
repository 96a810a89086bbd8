#pragma once

#include <QString>
#include <QUrl>

// The course folder as the HTML views see it: its files have addresses under
// one scheme and host of their own, and an address of that kind names a file
// inside the folder or none at all. Pages loaded from the course thereby share
// one origin, which reaches the course's files and nothing else on the machine.
class CourseFolder {
public:
    static constexpr const char* kScheme = "tovrelle";
    static constexpr const char* kHost = "course";

    // folder: the native path of the course folder.
    explicit CourseFolder(const QString& folder);

    const QString& folder() const { return folder_; }

    // The origin every course page has, as the engine writes it.
    static QUrl origin();

    // The address of a local file inside the folder; empty for a path that
    // lies elsewhere.
    QUrl addressOf(const QString& nativePath) const;

    // The file a course address names, each part of its path matched without
    // regard to case when it does not exist as written. Empty for an address
    // of another kind, for a path that climbs out of the folder or leads out
    // through a symbolic link, and for a file that does not exist.
    QString fileAt(const QUrl& address) const;

private:
    QString folder_;
};
