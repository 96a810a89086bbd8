#include "BookmarkFile.h"

#include "AppError.h"
#include "Conversions.h"
#include "IniStore.h"
#include "QuotedValue.h"

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

// Reads the bookmarks of one section of an open store.
class BookmarkFile::IniSection {
public:
    IniSection(IniStore& file, const QString& section) : file_(file), section_(section) {}

    Bookmarks bookmarks() const
    {
        const QHash<QString, QString> values = file_.sectionValues(section_);
        // A value written exactly like the marker counts as missing, as when read key by key.
        const auto stored = [&](const QString& key) {
            const auto found = values.constFind(key.toLower());
            return found == values.constEnd() || *found == kMissingValueMarker ? std::optional<QString>() : *found;
        };
        const int count = Conversions::strToInt(values.value(kCountKey.toLower(), QStringLiteral("0")));
        Bookmarks found;
        // Only numbers with a position key can make a bookmark.
        for (const std::int32_t k : file_.keyNumbers(section_, QStringLiteral("val"), count)) {
            const auto position = stored(positionKey(k));
            const auto name = stored(nameKey(k));
            if (position && !position->isEmpty() && name)
                found.append({*name, *position});
        }
        return found;
    }

    void replaceWith(const Bookmarks& bookmarks) const
    {
        file_.erase(section_);
        file_.write(section_, kCountKey, QString::number(bookmarks.size()));
        for (int k = 1; k <= bookmarks.size(); ++k) {
            file_.write(section_, nameKey(k), bookmarks[k - 1].name);
            file_.write(section_, positionKey(k), bookmarks[k - 1].position);
        }
    }

private:
    IniStore& file_;
    const QString& section_;
};

Bookmarks BookmarkFile::load(const QString& section) const
{
    if (!insideFolder_)
        return {};
    IniStore file;
    file.open(path_);
    // A file that cannot be read whole shows no bookmarks, and the store
    // refuses to write over it, so none of its lessons are lost.
    if (!file.readable())
        return {};
    const Bookmarks bookmarks = IniSection(file, section).bookmarks();
    file.close();
    return bookmarks;
}

Bookmarks BookmarkFile::change(const QString& section, const Edit& edit) const
{
    if (!insideFolder_)
        raiseUnableToWrite();
    IniStore file;
    file.open(path_, IniStore::Access::Edit);
    if (!file.readable())
        raiseUnableToWrite();
    const IniSection stored(file, section);
    Bookmarks inFile;
    try {
        inFile = stored.bookmarks();
    } catch (const AppError&) {
        // A count that is no number: the window showed no bookmarks for it either.
    }
    const Bookmarks written = edit(inFile);
    try {
        stored.replaceWith(written);
    } catch (const AppError&) {
        // Half a section is never written: the changes so far go with the error.
        file.discard();
        throw;
    }
    file.close();
    return written;
}

void BookmarkFile::raiseUnableToWrite() const
{
    throw AppError(QStringLiteral("Unable to write to %1").arg(quotedValue(path_)));
}
