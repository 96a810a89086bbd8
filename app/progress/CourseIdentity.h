#pragma once

#include <QString>

// A course known by what it is, not by where it is mounted: a digest of its
// qel.ini's bytes (which name its bookmark file) and of the names, in any
// letter case, and sizes of its lesson videos. The same disc under another
// mount point, or copied to the home folder, gives the same identity; two
// courses differ in their settings or their lessons.
// Reads the course folder: called off the window's thread.
namespace CourseIdentity {

// qelIni and mediaFolder: native paths; either may be missing.
QString of(const QString& qelIni, const QString& mediaFolder);

// The name of the course's progress file in the data folder.
QString progressFileName(const QString& identity);

}  // namespace CourseIdentity
