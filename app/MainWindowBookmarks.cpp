// The window's side of the bookmarks: the list of the loaded lesson and the file behind it.
#include "CD_Quorvate1.h"

// Fills the bookmark list from the loaded lesson's section. Not built yet: the list stays empty.
void TfrmMain::loadBookmarks()
{
}

// Writes the loaded lesson's bookmarks back. Not built yet: nothing is written.
void TfrmMain::saveBookmarks()
{
}
