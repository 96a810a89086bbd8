#pragma once

#include <QString>

// The application directory and the paths formed under it. Paths are written
// in the program with backslashes, as the course media were laid out on the
// original platform, and turned into native paths here.
class AppPaths {
public:
    // directory: a native folder path; a trailing "/" is added when missing.
    explicit AppPaths(const QString& directory);

    // The folder of the running executable, with a trailing "/".
    static QString executableDirectory();

    // The full path of the running executable.
    static QString executablePath();

    const QString& directory() const { return directory_; }

    // The native full path of a relative path such as "Media\main_bk.jpg".
    // Where a component does not exist with its exact letter case, a folder
    // entry that matches it without regard to case is taken instead (media
    // copied from other systems often come in other case).
    QString nativePath(const QString& relativePath) const;

private:
    QString directory_;
};
