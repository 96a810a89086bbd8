// A window's change to a lesson's bookmarks made to the section as another
// copy of the program left it in the file.
#include <gtest/gtest.h>

#include "bookmarks/BookmarkMerge.h"

namespace {

// Bookmarks named by letters, each at its own position.
Bookmarks marks(const char* letters)
{
    Bookmarks list;
    for (const char* letter = letters; *letter; ++letter)
        list.append({QString(QChar(*letter)), QString::number(*letter - 'a')});
    return list;
}

TEST(BookmarkMerge, TheWindowsChangeIsMadeToTheFileAsItIsNow)
{
    const struct {
        const char* name;
        const char* before;
        const char* after;
        const char* now;
        const char* merged;
    } cases[] = {
        {"nobody else wrote: the window's lists", "ab", "abx", "ab", "abx"},
        {"an Add after the other copy's Add", "ab", "abx", "abo", "abox"},
        {"an Add after the other copy removed one", "ab", "abx", "b", "bx"},
        {"a removal after the other copy's Add", "abc", "ac", "abco", "aco"},
        {"a removal of the second of two alike", "aba", "ab", "abao", "abo"},
        {"a removal where the other copy moved things up", "abcd", "abd", "bcd", "bd"},
        {"a change in the middle stays in its place", "abc", "axc", "abco", "axco"},
        {"everything removed, the other copy's Add stays", "ab", "", "abo", "o"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mergeBookmarkChanges(marks(c.before), marks(c.after), marks(c.now)), marks(c.merged));
    }
}

}  // namespace
