#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QHash>
#include <QString>
#include <QStringList>

#include "IniEncoding.h"

// One INI file held as its lines, edited in memory with the rules of the
// private profile functions: names match without regard to case, the first
// section and the first key of a name win, and everything not edited stays
// byte for byte as it was. Names and values cross the interface as text; the
// file's encoding applies only where its bytes are read and written, so no
// character is lost in between.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(const std::string& bytes);

    // The value of the key as stored (trimmed, NUL-cut, outer quotes removed,
    // at most 2047 characters), or nothing when the section or key is missing
    // or the key's line has no "=".
    std::optional<QString> value(const QString& section, const QString& key) const;

    // The names of the keys of the first section of that name, trimmed and
    // case-folded, in file order; empty when the section is missing.
    QStringList keyNames(const QString& section) const;

    // The values of the first section of that name in one pass, by key name
    // as keyNames gives it, each as value() gives it; a key without a value
    // has no entry.
    QHash<QString, QString> sectionValues(const QString& section) const;

    // Sets the value; returns false when the stored text already is that value
    // (the file then stays untouched). A file in the code page that must hold
    // characters the code page lacks becomes a UTF-8 file with its mark.
    bool setValue(const QString& section, const QString& key, const QString& value);

    // Removes the first section of that name with its lines; false when there is none.
    bool eraseSection(const QString& section);

    std::string bytes() const;

    static constexpr std::size_t kMaxValueLength = 2047;

private:
    enum class Kind { Blank, Header, Key };

    struct Line {
        QString content;          // the line's text without its line break
        std::string lineBreak;    // the run of CR and LF after it ("" at the end of the file)
        Kind kind = Kind::Blank;
        QString foldedName;       // section or key name, trimmed and case-folded
        bool hasValue = false;    // key lines: there is an "=" (a line without one is a key with no value)
        QString rawValue;         // key lines: the trimmed text after the first "="
        std::optional<std::string> stored;  // the content's bytes as read, until the line is rewritten
    };

    static QString storedValue(const Line& line);
    static Line parseLine(QString content, std::string lineBreak);
    Line newLine(QString content, std::string lineBreak);
    bool isLineBreakAt(std::string_view body, std::size_t pos) const;
    void readLines(std::string_view body);
    std::optional<std::size_t> findSection(const QString& foldedSection) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, const QString& foldedKey) const;
    void insertKeyLine(std::size_t header, const QString& key, const QString& value);
    void appendSection(const QString& section, const QString& key, const QString& value);

    IniEncoding encoding_;
    std::vector<Line> lines_;
};
