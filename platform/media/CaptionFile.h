#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// A clip's captions: a subtitle file beside the clip, and the encoding of its
// text as the player names it.
struct CaptionFile {
    QString path;
    QByteArray encoding;

    // The subtitle file beside the clip with the clip's own base name, or
    // nothing: .srt, .vtt, .ass or .ssa, in any letter case. Of several, one
    // whose name matches the clip's in its letter case goes first, then in
    // that order of kinds. Pipes and devices are passed over, and so is a file
    // the course may not name (outside it, or too large for captions).
    static std::optional<CaptionFile> besideClip(const QString& clipPath);

    // The encoding a byte-order mark names (UTF-16LE, UTF-16BE, UTF-8), else
    // "UTF-8" for text in UTF-8 (or plain ASCII), else "CP1252", the code
    // page of subtitles written on Windows in western languages.
    static QByteArray encodingOf(const QByteArray& text);
};
