#pragma once

#include <QList>
#include <QString>

// A named playback position within one lesson. The position is kept as the
// text it is stored and shown as; it becomes a number only when chosen.
struct Bookmark {
    QString name;
    QString position;

    bool operator==(const Bookmark&) const = default;
};

using Bookmarks = QList<Bookmark>;
