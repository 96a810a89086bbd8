#pragma once

#include <QString>

#include "UserSettings.h"

// The course folder the learner opened last, kept in the program's settings
// so that the program opens it again when started without a course folder.
// The file holds it on a line of its own, "course=" and the folder's path.
class RememberedCourse {
public:
    // configFile: the file's full path; empty when there is nowhere to keep it.
    explicit RememberedCourse(QString configFile);

    // In the program's settings for the user (UserSettings::forUser).
    static RememberedCourse forUser();

    const QString& configFile() const { return settings_.file(); }

    // The folder remembered, or an empty text when none is.
    QString folder() const;

    // Keeps the folder, creating the configuration folder when missing. False
    // when it cannot be kept; the file is then as it was.
    bool remember(const QString& folder) const;

private:
    UserSettings settings_;
};
