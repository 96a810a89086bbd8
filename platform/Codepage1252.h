#pragma once

#include <QByteArray>
#include <QString>

// The system code page of the program: Windows-1252. INI files, addresses and
// every other 8-bit text cross to and from Qt's UTF-16 only through here.
namespace Codepage1252 {

// Every byte maps to one character; the five bytes the code page leaves
// undefined map to the control characters of the same value.
QString decode(const QByteArray& bytes);

// Characters outside the code page become "?".
QByteArray encode(const QString& text);

// True when encode keeps every character of the text.
bool holds(const QString& text);

}  // namespace Codepage1252
