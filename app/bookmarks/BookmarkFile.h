#pragma once

#include <functional>

#include <QString>

#include "Bookmark.h"

// The bookmark file: an INI file in the data folder with one section per
// lesson, holding numBm and the pairs bm1/val1, bm2/val2... in that order.
class BookmarkFile {
public:
    // The file named fileName in folder. A name that is not a plain file name
    // of that folder (one holding a path separator, or "." or "..") would
    // reach another file: such a file holds no bookmarks and cannot be written.
    BookmarkFile(const QString& folder, const QString& fileName);

    const QString& path() const { return path_; }

    // The section's complete bookmarks in their order; entries with an empty
    // or missing position, or a missing name, are left out. None when the
    // file is there but cannot be read whole. Raises "'%s' is not a valid
    // integer value" for a count that is not a number.
    Bookmarks load(const QString& section) const;

    // Replaces the section, in one step, with what edit makes of the section
    // as the file holds it now, read from the disc for this change (a count
    // that is no number holds no bookmarks); returns the bookmarks written,
    // numbered from 1. Raises "Unable to write to %s" and leaves the file as
    // it was when it cannot be written.
    using Edit = std::function<Bookmarks(const Bookmarks& inFile)>;
    Bookmarks change(const QString& section, const Edit& edit) const;

private:
    class IniSection;
    [[noreturn]] void raiseUnableToWrite() const;

    QString path_;
    bool insideFolder_;
};
