#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <QString>

// How an INI file holds its text. The program's own files and most course
// files are bytes of the system code page; an editor's Unicode save starts the
// file with a byte-order mark (UTF-8, or UTF-16 in either byte order), and such
// a file keeps its encoding and its mark when it is rewritten.
class IniEncoding {
public:
    enum class Form { CodePage, Utf8, Utf16LE, Utf16BE };

    IniEncoding() = default;

    // The encoding the first bytes of a file announce.
    static IniEncoding detect(std::string_view file);
    static IniEncoding utf8() { return IniEncoding(Form::Utf8); }

    Form form() const { return form_; }
    std::string_view mark() const;

    // Bytes per code unit; the caller keeps pos + unitSize() within the bytes.
    std::size_t unitSize() const;
    char16_t unitAt(std::string_view bytes, std::size_t pos) const;

    // Text of plain ASCII, such as line breaks, in this encoding.
    std::string encodeAscii(std::string_view ascii) const;

    // Bytes that are not valid in the encoding read as U+FFFD; an incomplete
    // final UTF-16 unit is not read.
    QString decode(std::string_view stored) const;
    std::string encode(const QString& text) const;

    // True when every character of the text has its own bytes in this encoding.
    bool holds(const QString& text) const;

private:
    explicit IniEncoding(Form form) : form_(form) {}
    std::string encodeUtf16(const QString& text) const;

    Form form_ = Form::CodePage;
};
