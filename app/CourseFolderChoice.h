#pragma once

#include <optional>

#include <QString>

#include "FolderChooser.h"
#include "RememberedCourse.h"

// Decides which course folder the program opens. A folder given on the
// command line is opened when it holds a course (a Media folder) and refused
// with an error box naming it otherwise. Without one: the course beside the
// program, then the course opened last, then a folder the learner picks in
// the folder chooser, asked again after a folder that holds no course.
// A course given or picked is remembered for the next start; nothing is
// written when no course is opened.
class CourseFolderChoice {
public:
    // programFolder: the folder of the running executable.
    CourseFolderChoice(RememberedCourse& remembered, FolderChooser& chooser, QString programFolder);

    // The course folder to open; none when the folder given is refused or
    // the learner cancels the chooser.
    std::optional<QString> choose(const std::optional<QString>& givenFolder);

private:
    // The folder when it holds a course, remembered; otherwise the refusal
    // is reported and there is none.
    std::optional<QString> accept(const QString& folder);
    std::optional<QString> askLearner();
    void rememberCourse(const QString& folder);

    RememberedCourse& remembered_;
    FolderChooser& chooser_;
    QString programFolder_;
};
