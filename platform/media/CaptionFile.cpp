#include "CaptionFile.h"

#include <algorithm>
#include <tuple>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// In the order a choice between them goes.
const QString kKinds[] = {QStringLiteral("srt"), QStringLiteral("vtt"), QStringLiteral("ass"), QStringLiteral("ssa")};

// Subtitles run to a few hundred kilobytes; the encoding shows long before this.
constexpr qint64 kReadLimit = 4 * 1024 * 1024;

// The file's whole lines within the limit: a line break is never part of a
// character in either encoding, so no character is cut.
QByteArray headOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray head = file.read(kReadLimit);
    if (!file.atEnd())
        head.truncate(head.lastIndexOf('\n') + 1);
    return head;
}

}  // namespace

std::optional<CaptionFile> CaptionFile::besideClip(const QString& clipPath)
{
    const QFileInfo clip(clipPath);
    const QString baseName = clip.completeBaseName();
    // Lower ranks are chosen first: the letter case, the kind, the name.
    std::optional<std::tuple<bool, std::ptrdiff_t, QString>> best;
    for (const QFileInfo& entry : clip.dir().entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const auto kind = std::find(std::begin(kKinds), std::end(kKinds), entry.suffix().toLower());
        if (kind == std::end(kKinds) || entry.completeBaseName().compare(baseName, Qt::CaseInsensitive) != 0)
            continue;
        const auto rank = std::make_tuple(entry.completeBaseName() != baseName, kind - std::begin(kKinds), entry.filePath());
        if (!best || rank < *best)
            best = rank;
    }
    if (!best)
        return std::nullopt;
    const QString path = std::get<2>(*best);
    return CaptionFile{path, encodingOf(headOf(path))};
}

QByteArray CaptionFile::encodingOf(const QByteArray& text)
{
    // The byte-order mark of a file saved as "Unicode" or UTF-8 by Windows
    // programs names its encoding.
    if (text.startsWith("\xff\xfe"))
        return QByteArrayLiteral("UTF-16LE");
    if (text.startsWith("\xfe\xff"))
        return QByteArrayLiteral("UTF-16BE");
    if (text.startsWith("\xef\xbb\xbf"))
        return QByteArrayLiteral("UTF-8");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = utf8(text);
    return utf8.hasError() ? QByteArrayLiteral("CP1252") : QByteArrayLiteral("UTF-8");
}
