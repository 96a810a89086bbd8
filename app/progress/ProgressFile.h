#pragma once

#include <QString>

#include "CourseProgress.h"

// One course's progress file in the learner's data folder. A read or a change
// holds a lock beside the file, so that two copies of the program on one
// course take turns: each change is made to the file as it is then, and the
// file is replaced whole, never torn. A file that is damaged, from a newer
// version of the program, or unreadable is set aside under another name with
// a message in the log, and the course starts afresh. Blocking file work:
// called off the window's thread.
class ProgressFile {
public:
    explicit ProgressFile(QString path);

    const QString& path() const { return path_; }

    // What the file holds; nothing kept when it is missing or set aside.
    CourseProgress read() const;

    // Makes the change to the file; false, with errno set, when it cannot be
    // written (the file then stays as it was).
    bool apply(const ProgressChange& change) const;

    // Removes the course's progress; false when the file stays.
    bool forget() const;

private:
    CourseProgress readLocked() const;
    void setAside(const char* why) const;

    QString path_;
};
