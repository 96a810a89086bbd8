// The window's side of the bookmarks: the menu of the loaded lesson, the
// manager dialog it opens, and the file behind both.
#include "CD_Quorvate1.h"

#include "AppError.h"
#include "Conversions.h"
#include "ErrorReporting.h"
#include "WindowsDir.h"
#include "bookmarks/BookmarkMerge.h"
#include "bookmarks/bmManager.h"

void TfrmMain::bindBookmarkHandlers()
{
    connect(selBm, &QComboBox::activated, this, [this](int index) { runGuarded([&] { selBmChange(index); }); });
    selBm->OnDropDown = [this] { runGuarded([this] { selBmDropDown(); }); };
}

void TfrmMain::setBookmarkManager(TfrmBm* dialog)
{
    frmBm = dialog;
    frmBm->setMainWindow(this);
}

BookmarkLists TfrmMain::bookmarkLists() const
{
    return BookmarkLists(selBm, selBmVal, frmBm ? frmBm->bmList : nullptr);
}

// The loaded lesson's section: one per lesson, or the one video's name.
QString TfrmMain::lessonKey() const
{
    return numLessons >= 1 ? QStringLiteral("vid") + currentLesson : lessonName;
}

// The bookmark file lies in the data folder whatever happened at start-up:
// when start-up stopped before finding the folder, or could not have it then,
// it is looked up now. Raises the system's message when it still cannot be had.
BookmarkFile TfrmMain::bookmarkFile() const
{
    return BookmarkFile(windowsDir.isEmpty() ? getWindowsDir(services_.dataFolder) : windowsDir, bookmarkFileName);
}

// Without a data folder there is no file to read, which holds no bookmarks as
// a missing file does; a save tells why it cannot be written.
std::optional<BookmarkFile> TfrmMain::readableBookmarkFile() const
{
    try {
        return bookmarkFile();
    } catch (const AppError&) {
        return std::nullopt;
    }
}

QString TfrmMain::currentPositionText() const
{
    return Conversions::floatToStr(ActiveMovie1->CurrentPosition(), services_.regionalSettings.decimalSeparator());
}

// Rebuilds the menu and the manager's list from the loaded lesson's section.
// A count that is no number leaves the management entries only.
void TfrmMain::loadBookmarks()
{
    const QString section = lessonKey();
    showBookmarks({});
    if (const auto file = readableBookmarkFile())
        showBookmarks(file->load(section));
}

void TfrmMain::showBookmarks(const Bookmarks& bookmarks)
{
    BookmarkLists lists = bookmarkLists();
    lists.reset();
    lists.append(bookmarks);
    bookmarksAsStored_ = bookmarks;
}

// Rewrites the loaded lesson's section with the changes made in the menu
// since it was read. Bookmarks another copy of the program saved to that
// section meanwhile stay, and the lists then show the section as written.
void TfrmMain::saveBookmarks()
{
    const Bookmarks shown = bookmarkLists().all();
    const Bookmarks written = bookmarkFile().change(lessonKey(), [&](const Bookmarks& inFile) {
        return mergeBookmarkChanges(bookmarksAsStored_, shown, inFile);
    });
    bookmarksAsStored_ = written;
    if (written != shown)
        showBookmarks(written);
}

// Opening the menu pauses a playing video, so a bookmark is chosen on a still picture.
void TfrmMain::selBmDropDown()
{
    ActiveMovie1->Pause();
}

// The management entry opens the dialog, leaving an open one where it is;
// a bookmark moves the video to its position without changing whether it plays.
void TfrmMain::selBmChange(int index)
{
    if (index == 0) {
        if (frmBm && !frmBm->isVisible())
            frmBm->show();
        return;
    }
    selBmVal->setCurrentIndex(index);
    const double position =
        Conversions::strToFloat(selBmVal->currentText(), services_.regionalSettings.decimalSeparator());
    ActiveMovie1->setCurrentPosition(position);
}
