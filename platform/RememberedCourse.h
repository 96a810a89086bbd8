#pragma once

#include <QString>

// The course folder the learner opened last, kept in the per-user
// configuration so that the program opens it again when started without a
// course folder. The file holds one line, "course=" and the folder's path.
class RememberedCourse {
public:
    // configFile: the file's full path; empty when there is nowhere to keep it.
    explicit RememberedCourse(QString configFile);

    // $XDG_CONFIG_HOME/tovrelle/tovrelle.conf, or ~/.config/tovrelle/tovrelle.conf.
    static RememberedCourse forUser();

    const QString& configFile() const { return configFile_; }

    // The folder remembered, or an empty text when none is.
    QString folder() const;

    // Keeps the folder, creating the configuration folder when missing. False
    // when it cannot be kept; the file is then as it was.
    bool remember(const QString& folder) const;

private:
    QString configFile_;
};
