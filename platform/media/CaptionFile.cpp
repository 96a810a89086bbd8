#include "CaptionFile.h"

#include <algorithm>
#include <tuple>

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include "CourseFiles.h"

namespace {

// In the order a choice between them goes.
const QString kKinds[] = {QStringLiteral("srt"), QStringLiteral("vtt"), QStringLiteral("ass"), QStringLiteral("ssa")};

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
    const CourseFiles::Read text = CourseFiles::read(path, CourseFiles::Kind::Captions);
    if (!text.ok())
        return std::nullopt;
    return CaptionFile{path, encodingOf(text.bytes)};
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
