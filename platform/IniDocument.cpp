#include "IniDocument.h"

#include <string_view>

#include <QSet>

namespace {

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x09 && u <= 0x0D) || u == 0x1A || u == 0x20;
}

// Removes the blanks the profile functions trim: 09-0D, 1A and 20.
QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// Names are only ever tested for equality, which is cheaper than QString's
// ordering comparison.
bool sameName(const QString& a, const QString& b)
{
    return QStringView(a) == QStringView(b);
}

// Letter case folds character by character, which on the system code page's
// letters gives the pairs the code page knows.
QString folded(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        c = c.toLower();
    return result;
}

QString nameOf(const QString& text)
{
    return folded(trimmed(text));
}

// The length of the first line break of a run: CR LF counts as one.
std::size_t firstBreakLength(const std::string& lineBreak)
{
    if (lineBreak.empty())
        return 0;
    return lineBreak.compare(0, 2, "\r\n") == 0 ? 2 : 1;
}

// A value of two or more characters in a matching pair of quotes loses them.
QString withoutQuotes(const QString& value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

IniDocument::IniDocument(const std::string& bytes)
    : encoding_(IniEncoding::detect(bytes))
{
    std::string_view body(bytes);
    body.remove_prefix(encoding_.mark().size());
    // Half a UTF-16 character at the end cannot be read, nor kept without
    // shifting every character written after it.
    body.remove_suffix(body.size() % encoding_.unitSize());
    readLines(body);
}

void IniDocument::readLines(std::string_view body)
{
    const std::size_t unit = encoding_.unitSize();
    std::size_t pos = 0;
    while (pos < body.size()) {
        std::size_t contentEnd = pos;
        while (contentEnd < body.size() && !isLineBreakAt(body, contentEnd))
            contentEnd += unit;
        std::size_t breakEnd = contentEnd;
        while (breakEnd < body.size() && isLineBreakAt(body, breakEnd))
            breakEnd += unit;
        std::string lineBreak;
        for (std::size_t i = contentEnd; i < breakEnd; i += unit)
            lineBreak += static_cast<char>(encoding_.unitAt(body, i));
        const std::string_view content = body.substr(pos, contentEnd - pos);
        Line line = parseLine(encoding_.decode(content), std::move(lineBreak));
        line.stored = std::string(content);
        lines_.push_back(std::move(line));
        pos = breakEnd;
    }
}

bool IniDocument::isLineBreakAt(std::string_view body, std::size_t pos) const
{
    const char16_t unit = encoding_.unitAt(body, pos);
    return unit == u'\r' || unit == u'\n';
}

// A header runs from "[" to the last "]" of its line. Any other line is a key:
// its name is the text before the first "=", and a line without "=" is a key
// that has no value.
IniDocument::Line IniDocument::parseLine(QString content, std::string lineBreak)
{
    Line line{std::move(content), std::move(lineBreak), Kind::Blank, {}, false, {}, std::nullopt};
    const QString text = trimmed(line.content);
    if (text.isEmpty())
        return line;
    const qsizetype closing = text.lastIndexOf(u']');
    if (text.front() == u'[' && closing >= 0) {
        line.kind = Kind::Header;
        line.foldedName = folded(trimmed(text.mid(1, closing - 1)));
        return line;
    }
    const qsizetype equals = text.indexOf(u'=');
    line.kind = Kind::Key;
    line.foldedName = folded(trimmed(text.left(equals)));
    line.hasValue = equals >= 0;
    if (line.hasValue)
        line.rawValue = trimmed(text.mid(equals + 1));
    return line;
}

std::optional<std::size_t> IniDocument::findSection(const QString& foldedSection) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Header && sameName(lines_[i].foldedName, foldedSection))
            return i;
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::Header)
        ++end;
    return end;
}

std::optional<std::size_t> IniDocument::findKey(std::size_t header, const QString& foldedKey) const
{
    for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Header; ++i) {
        if (lines_[i].kind == Kind::Key && sameName(lines_[i].foldedName, foldedKey))
            return i;
    }
    return std::nullopt;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const auto header = findSection(nameOf(section));
    if (!header)
        return std::nullopt;
    const auto line = findKey(*header, nameOf(key));
    // A key without "=" names a key that has no value: reading it gives the default.
    if (!line || !lines_[*line].hasValue)
        return std::nullopt;
    return storedValue(lines_[*line]);
}

QString IniDocument::storedValue(const Line& line)
{
    QString text = line.rawValue;
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = trimmed(text.left(nul));
    text = withoutQuotes(text);
    if (text.size() > static_cast<qsizetype>(kMaxValueLength)) {
        text.truncate(static_cast<qsizetype>(kMaxValueLength));
        // Half a character is no character.
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

QHash<QString, QString> IniDocument::sectionValues(const QString& section) const
{
    QHash<QString, QString> values;
    const auto header = findSection(nameOf(section));
    if (!header)
        return values;
    QSet<QString> named;  // the first key of a name wins, with a value or without
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind != Kind::Key || named.contains(line.foldedName))
            continue;
        named.insert(line.foldedName);
        if (line.hasValue)
            values.insert(line.foldedName, storedValue(line));
    }
    return values;
}

QStringList IniDocument::keyNames(const QString& section) const
{
    QStringList names;
    const auto header = findSection(nameOf(section));
    if (!header)
        return names;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key)
            names << lines_[i].foldedName;
    }
    return names;
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    const auto header = findSection(nameOf(section));
    if (!header) {
        appendSection(section, key, value);
        return true;
    }
    const auto found = findKey(*header, nameOf(key));
    if (!found) {
        insertKeyLine(*header, key, value);
        return true;
    }
    if (lines_[*found].hasValue && lines_[*found].rawValue == value)
        return false;
    const QString text = trimmed(lines_[*found].content);
    lines_[*found] = newLine(trimmed(text.left(text.indexOf(u'='))) + u'=' + value, lines_[*found].lineBreak);
    return true;
}

// A line written by this program. Text the file's encoding cannot hold turns
// a code-page file into UTF-8 with its mark; the lines read so far are then
// written anew in UTF-8 and keep every character they had.
IniDocument::Line IniDocument::newLine(QString content, std::string lineBreak)
{
    if (!encoding_.holds(content)) {
        encoding_ = IniEncoding::utf8();
        for (Line& line : lines_)
            line.stored.reset();
    }
    return parseLine(std::move(content), std::move(lineBreak));
}

// A new key goes after the section's last line, before any blank lines that
// lead to the next header.
void IniDocument::insertKeyLine(std::size_t header, const QString& key, const QString& value)
{
    std::size_t last = sectionEnd(header) - 1;
    while (last > header && lines_[last].kind == Kind::Blank)
        --last;
    Line& before = lines_[last];
    if (before.lineBreak.empty())
        before.lineBreak = "\r\n";
    const std::size_t kept = firstBreakLength(before.lineBreak);
    const std::string rest = before.lineBreak.substr(kept);
    before.lineBreak.resize(kept);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                  newLine(trimmed(key) + u'=' + value, "\r\n" + rest));
}

void IniDocument::appendSection(const QString& section, const QString& key, const QString& value)
{
    if (!lines_.empty() && lines_.back().lineBreak.empty())
        lines_.back().lineBreak = "\r\n";
    lines_.push_back(newLine(u'[' + trimmed(section) + u']', "\r\n"));
    lines_.push_back(newLine(trimmed(key) + u'=' + value, "\r\n"));
}

bool IniDocument::eraseSection(const QString& section)
{
    const auto header = findSection(nameOf(section));
    if (!header)
        return false;
    const std::size_t end = sectionEnd(*header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

// Lines read from the file go out as they came in; new and rewritten lines in
// the file's encoding, after its byte-order mark.
std::string IniDocument::bytes() const
{
    std::string result(encoding_.mark());
    for (const Line& line : lines_) {
        result += line.stored ? *line.stored : encoding_.encode(line.content);
        result += encoding_.encodeAscii(line.lineBreak);
    }
    return result;
}
