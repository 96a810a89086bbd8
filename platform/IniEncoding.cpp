#include "IniEncoding.h"

#include <array>

#include <QByteArray>

#include "Codepage1252.h"

namespace {

struct MarkedForm {
    std::string_view mark;
    IniEncoding::Form form;
};

constexpr std::array<MarkedForm, 3> kMarks = {{
    {"\xEF\xBB\xBF", IniEncoding::Form::Utf8},
    {"\xFF\xFE", IniEncoding::Form::Utf16LE},
    {"\xFE\xFF", IniEncoding::Form::Utf16BE},
}};

}  // namespace

IniEncoding IniEncoding::detect(std::string_view file)
{
    for (const MarkedForm& marked : kMarks) {
        if (file.starts_with(marked.mark))
            return IniEncoding(marked.form);
    }
    return IniEncoding();
}

std::string_view IniEncoding::mark() const
{
    for (const MarkedForm& marked : kMarks) {
        if (marked.form == form_)
            return marked.mark;
    }
    return {};
}

std::size_t IniEncoding::unitSize() const
{
    return form_ == Form::Utf16LE || form_ == Form::Utf16BE ? 2 : 1;
}

char16_t IniEncoding::unitAt(std::string_view bytes, std::size_t pos) const
{
    const auto byte = [&](std::size_t i) { return static_cast<char16_t>(static_cast<unsigned char>(bytes[i])); };
    switch (form_) {
    case Form::Utf16LE: return static_cast<char16_t>(byte(pos) | byte(pos + 1) << 8);
    case Form::Utf16BE: return static_cast<char16_t>(byte(pos) << 8 | byte(pos + 1));
    default: return byte(pos);
    }
}

std::string IniEncoding::encodeAscii(std::string_view ascii) const
{
    if (unitSize() == 1)
        return std::string(ascii);
    return encodeUtf16(QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size())));
}

QString IniEncoding::decode(std::string_view stored) const
{
    const auto size = static_cast<qsizetype>(stored.size());
    switch (form_) {
    case Form::CodePage: return Codepage1252::decode(QByteArray::fromRawData(stored.data(), size));
    case Form::Utf8: return QString::fromUtf8(stored.data(), size);
    default: break;
    }
    QString text(size / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(unitAt(stored, static_cast<std::size_t>(i) * 2));
    return text;
}

std::string IniEncoding::encode(const QString& text) const
{
    switch (form_) {
    case Form::CodePage: return Codepage1252::encode(text).toStdString();
    case Form::Utf8: return text.toUtf8().toStdString();
    default: return encodeUtf16(text);
    }
}

bool IniEncoding::holds(const QString& text) const
{
    return form_ != Form::CodePage || Codepage1252::holds(text);
}

std::string IniEncoding::encodeUtf16(const QString& text) const
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()) * 2);
    for (const QChar c : text) {
        const char low = static_cast<char>(c.unicode() & 0xFF);
        const char high = static_cast<char>(c.unicode() >> 8);
        bytes += form_ == Form::Utf16LE ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}
