#pragma once

#include <QComboBox>
#include <QListWidget>

#include "Bookmark.h"

// The loaded lesson's bookmarks as the windows hold them, in three lists kept
// in step: the names in the bookmark menu, the position texts in its hidden
// twin, and the names again in the manager dialog's list. Entry 0 of the two
// menu lists is the management entry, so bookmark k (from 1) is menu entry k
// and manager entry k - 1. A window without its manager keeps the menu lists only.
class BookmarkLists {
public:
    static const QString ManageEntry;    // "<Manage Bookmarks>"
    static const QString ManagePosition; // "0"
    static const QString MenuPrompt;     // shown while no entry is chosen

    BookmarkLists(QComboBox* names, QComboBox* positions, QListWidget* managerList);

    // Leaves only the management entries, with no entry chosen.
    void reset();

    // Appends at the end, choosing nothing.
    void append(const Bookmarks& bookmarks);

    // Removes bookmark k (from 1); the entries after it close up. False when
    // there is no such bookmark.
    bool remove(int number);

    int count() const { return names_->count() - 1; }
    Bookmarks all() const;

private:
    QComboBox* names_;
    QComboBox* positions_;
    QListWidget* managerList_;
};
