#pragma once

#include <cstdint>

#include <QChar>
#include <QString>

// The program's conversions between numbers and text. Each failure raises an
// AppError with the text the user sees, the value in it whole (the error box
// cuts what it shows).
namespace Conversions {

// Strict integer conversion: leading spaces, an optional sign, then decimal
// digits or a hexadecimal number after "$", "x", "X", "0x" or "0X", and
// nothing after the digits. Raises "'%s' is not a valid integer value".
std::int32_t strToInt(const QString& text);

// General format with 15 significant digits: fixed notation for 0 and from
// 0.00001 up to 15 integer digits, scientific with "E" otherwise.
QString floatToStr(double value, QChar decimalSeparator);

// Reads text written by floatToStr (or typed by hand) with the given
// separator. Raises "'%s' is not a valid floating point value".
double strToFloat(const QString& text, QChar decimalSeparator);

// Rounds to the nearest integer, a value exactly halfway going to the even neighbour.
double roundHalfEven(double value);

}  // namespace Conversions
