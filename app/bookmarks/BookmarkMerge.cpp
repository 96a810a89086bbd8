#include "BookmarkMerge.h"

#include <algorithm>

namespace {

// The window changed only the entries between a common start and a common end.
struct ChangedRun {
    qsizetype start = 0;
    Bookmarks removed;
    Bookmarks added;
    bool atEnd = false;
};

ChangedRun changedRun(const Bookmarks& before, const Bookmarks& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < shorter && before[start] == after[start])
        ++start;
    qsizetype end = 0;
    while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    return {start, before.mid(start, before.size() - start - end), after.mid(start, after.size() - start - end),
            end == 0};
}

}  // namespace

Bookmarks mergeBookmarkChanges(const Bookmarks& before, const Bookmarks& after, const Bookmarks& now)
{
    if (now == before)
        return after;
    const ChangedRun run = changedRun(before, after);
    Bookmarks merged = now;
    qsizetype place = std::min(run.start, merged.size());
    for (const Bookmark& gone : run.removed) {
        qsizetype found = place < merged.size() && merged[place] == gone ? place : merged.indexOf(gone);
        if (found < 0)
            continue;  // the other copy removed it too
        merged.removeAt(found);
        place = found;
    }
    const qsizetype insertAt = run.atEnd ? merged.size() : std::min(place, merged.size());
    for (qsizetype k = 0; k < run.added.size(); ++k)
        merged.insert(insertAt + k, run.added[k]);
    return merged;
}
