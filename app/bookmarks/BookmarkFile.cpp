#include "BookmarkFile.h"

#include "AppError.h"
#include "Conversions.h"
#include "IniStore.h"

namespace {

const QString kCountKey = QStringLiteral("numBm");

QString nameKey(int number)
{
    return QStringLiteral("bm%1").arg(number);
}

QString positionKey(int number)
{
    return QStringLiteral("val%1").arg(number);
}

bool isPlainFileName(const QString& name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && name != QStringLiteral(".")
           && name != QStringLiteral("..");
}

}  // namespace

BookmarkFile::BookmarkFile(const QString& folder, const QString& fileName)
    : path_(folder + u'/' + fileName), insideFolder_(isPlainFileName(fileName))
{
}

Bookmarks BookmarkFile::load(const QString& section) const
{
    Bookmarks bookmarks;
    if (!insideFolder_)
        return bookmarks;
    IniStore file;
    file.open(path_);
    // A file that cannot be read whole shows no bookmarks, and the store
    // refuses to write over it, so none of its lessons are lost.
    if (!file.readable())
        return bookmarks;
    const int count = Conversions::strToInt(file.read(section, kCountKey, QStringLiteral("0")));
    // Only numbers with a position key can make a bookmark.
    for (const std::int32_t k : file.keyNumbers(section, QStringLiteral("val"), count)) {
        const QString position = file.read(section, positionKey(k), kMissingValueMarker);
        const QString name = file.read(section, nameKey(k), kMissingValueMarker);
        if (!position.isEmpty() && position != kMissingValueMarker && name != kMissingValueMarker)
            bookmarks.append({name, position});
    }
    file.close();
    return bookmarks;
}

void BookmarkFile::save(const QString& section, const Bookmarks& bookmarks) const
{
    if (!insideFolder_)
        throw AppError(QStringLiteral("Unable to write to %1").arg(path_));
    IniStore file;
    file.open(path_);
    try {
        file.erase(section);
        file.write(section, kCountKey, QString::number(bookmarks.size()));
        for (int k = 1; k <= bookmarks.size(); ++k) {
            file.write(section, nameKey(k), bookmarks[k - 1].name);
            file.write(section, positionKey(k), bookmarks[k - 1].position);
        }
    } catch (const AppError&) {
        // Half a section is never written: the changes so far go with the error.
        file.discard();
        throw;
    }
    file.close();
}
