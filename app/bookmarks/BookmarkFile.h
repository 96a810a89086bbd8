#pragma once

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

    // Replaces the section with these bookmarks, numbered from 1, in one step.
    // Raises "Unable to write to %s" and leaves the file as it was when it
    // cannot be written.
    void save(const QString& section, const Bookmarks& bookmarks) const;

private:
    QString path_;
    bool insideFolder_;
};
