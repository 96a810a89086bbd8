#include "BookmarkLists.h"

const QString BookmarkLists::ManageEntry = QStringLiteral("<Manage Bookmarks>");
const QString BookmarkLists::ManagePosition = QStringLiteral("0");
const QString BookmarkLists::MenuPrompt = QStringLiteral("Bookmarks");

BookmarkLists::BookmarkLists(QComboBox* names, QComboBox* positions, QListWidget* managerList)
    : names_(names), positions_(positions), managerList_(managerList)
{
}

void BookmarkLists::reset()
{
    names_->clear();
    positions_->clear();
    if (managerList_)
        managerList_->clear();
    names_->setPlaceholderText(MenuPrompt);
    names_->addItem(ManageEntry);
    positions_->addItem(ManagePosition);
    names_->setCurrentIndex(-1);
    positions_->setCurrentIndex(-1);
}

void BookmarkLists::append(const Bookmarks& bookmarks)
{
    QStringList names;
    QStringList positions;
    for (const Bookmark& bookmark : bookmarks) {
        names << bookmark.name;
        positions << bookmark.position;
    }
    if (managerList_)
        managerList_->addItems(names);
    names_->addItems(names);
    positions_->addItems(positions);
}

bool BookmarkLists::remove(int number)
{
    if (number < 1 || number > count())
        return false;
    if (managerList_) {
        delete managerList_->takeItem(number - 1);
        managerList_->clearSelection();
    }
    for (QComboBox* list : {names_, positions_}) {
        // A removed entry that was chosen leaves the list with none chosen,
        // rather than silently showing a neighbour.
        const bool wasChosen = list->currentIndex() == number;
        list->removeItem(number);
        if (wasChosen)
            list->setCurrentIndex(-1);
    }
    return true;
}

Bookmarks BookmarkLists::all() const
{
    Bookmarks bookmarks;
    bookmarks.reserve(count());
    for (int k = 1; k <= count(); ++k)
        bookmarks.append({names_->itemText(k), positions_->itemText(k)});
    return bookmarks;
}
