#pragma once

#include "Bookmark.h"

// Another copy of the program may save the same lesson while this window
// shows it. The window's changes, from the section as it last read or wrote
// it (before) to its lists now (after), are made to the section as the file
// holds it now, so what the other copy saved stays. Bookmarks the window
// removed leave the file once each, from the place the window had them where
// that place still holds them; bookmarks it added go where it put them, the
// end of the section for an Add.
Bookmarks mergeBookmarkChanges(const Bookmarks& before, const Bookmarks& after, const Bookmarks& now);
