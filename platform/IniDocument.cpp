#include "IniDocument.h"

namespace {

bool isBlank(unsigned char c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

unsigned char foldedByte(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    switch (c) {
    case 0x8A: return 0x9A;  // S with caron
    case 0x8C: return 0x9C;  // ligature OE
    case 0x8E: return 0x9E;  // Z with caron
    case 0x9F: return 0xFF;  // Y with diaeresis
    default: return c;
    }
}

// The length of the first line break of a run: CR LF counts as one.
std::size_t firstBreakLength(const std::string& lineBreak)
{
    if (lineBreak.empty())
        return 0;
    return lineBreak.compare(0, 2, "\r\n") == 0 ? 2 : 1;
}

// A value of two or more characters in a matching pair of quotes loses them.
std::string withoutQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

namespace IniText {

std::string trimmed(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && isBlank(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

std::string folded(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = static_cast<char>(foldedByte(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace IniText

using IniText::folded;
using IniText::trimmed;

IniDocument::IniDocument(const std::string& bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t contentEnd = pos;
        while (contentEnd < bytes.size() && !isLineBreak(bytes[contentEnd]))
            ++contentEnd;
        std::size_t breakEnd = contentEnd;
        while (breakEnd < bytes.size() && isLineBreak(bytes[breakEnd]))
            ++breakEnd;
        lines_.push_back(parseLine(bytes.substr(pos, contentEnd - pos),
                                   bytes.substr(contentEnd, breakEnd - contentEnd)));
        pos = breakEnd;
    }
}

// A header runs from "[" to the last "]" of its line; a key line is split at
// its first "="; anything else is kept but never matched.
IniDocument::Line IniDocument::parseLine(std::string content, std::string lineBreak)
{
    Line line{std::move(content), std::move(lineBreak), Kind::Blank, {}, {}};
    const std::string text = trimmed(line.content);
    if (text.empty())
        return line;
    const std::size_t closing = text.rfind(']');
    if (text.front() == '[' && closing != std::string::npos) {
        line.kind = Kind::Header;
        line.foldedName = folded(trimmed(text.substr(1, closing - 1)));
        return line;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        line.kind = Kind::Other;
        return line;
    }
    line.kind = Kind::Key;
    line.foldedName = folded(trimmed(text.substr(0, equals)));
    line.rawValue = trimmed(text.substr(equals + 1));
    return line;
}

std::optional<std::size_t> IniDocument::findSection(const std::string& foldedSection) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Header && lines_[i].foldedName == foldedSection)
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

std::optional<std::size_t> IniDocument::findKey(std::size_t header, const std::string& foldedKey) const
{
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key && lines_[i].foldedName == foldedKey)
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(const std::string& section, const std::string& key) const
{
    const auto header = findSection(folded(trimmed(section)));
    if (!header)
        return std::nullopt;
    const auto line = findKey(*header, folded(trimmed(key)));
    if (!line)
        return std::nullopt;
    std::string text = lines_[*line].rawValue;
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text = trimmed(text.substr(0, nul));
    text = withoutQuotes(text);
    if (text.size() > kMaxValueLength)
        text.resize(kMaxValueLength);
    return text;
}

std::vector<std::string> IniDocument::keyNames(const std::string& section) const
{
    std::vector<std::string> names;
    const auto header = findSection(folded(trimmed(section)));
    if (!header)
        return names;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (lines_[i].kind == Kind::Key)
            names.push_back(lines_[i].foldedName);
    }
    return names;
}

bool IniDocument::setValue(const std::string& section, const std::string& key, const std::string& value)
{
    const auto header = findSection(folded(trimmed(section)));
    if (!header) {
        appendSection(section, key, value);
        return true;
    }
    const auto found = findKey(*header, folded(trimmed(key)));
    if (!found) {
        insertKeyLine(*header, key, value);
        return true;
    }
    Line& line = lines_[*found];
    if (line.rawValue == value)
        return false;
    const std::string text = trimmed(line.content);
    line = parseLine(trimmed(text.substr(0, text.find('='))) + "=" + value, line.lineBreak);
    return true;
}

// A new key goes after the section's last line, before any blank lines that
// lead to the next header.
void IniDocument::insertKeyLine(std::size_t header, const std::string& key, const std::string& value)
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
                  parseLine(trimmed(key) + "=" + value, "\r\n" + rest));
}

void IniDocument::appendSection(const std::string& section, const std::string& key, const std::string& value)
{
    if (!lines_.empty() && lines_.back().lineBreak.empty())
        lines_.back().lineBreak = "\r\n";
    lines_.push_back(parseLine("[" + trimmed(section) + "]", "\r\n"));
    lines_.push_back(parseLine(trimmed(key) + "=" + value, "\r\n"));
}

bool IniDocument::eraseSection(const std::string& section)
{
    const auto header = findSection(folded(trimmed(section)));
    if (!header)
        return false;
    const std::size_t end = sectionEnd(*header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

std::string IniDocument::bytes() const
{
    std::size_t size = 0;
    for (const Line& line : lines_)
        size += line.content.size() + line.lineBreak.size();
    std::string result;
    result.reserve(size);
    for (const Line& line : lines_)
        result += line.content + line.lineBreak;
    return result;
}
