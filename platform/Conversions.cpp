#include "Conversions.h"

#include <cfenv>
#include <cmath>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

#include "AppError.h"

namespace {

[[noreturn]] void raiseNotInteger(const QString& text)
{
    throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

[[noreturn]] void raiseNotFloat(const QString& text)
{
    throw AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

int digitValue(QChar c, bool hexadecimal)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (hexadecimal && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (hexadecimal && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Skips a hexadecimal prefix at position i; true when there was one.
bool skipHexPrefix(const QString& text, qsizetype& i)
{
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        ++i;
        return true;
    }
    if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        i += 2;
        return true;
    }
    return false;
}

qsizetype skipDigits(const QString& text, qsizetype i)
{
    while (i < text.size() && digitValue(text[i], false) >= 0)
        ++i;
    return i;
}

qsizetype skipSign(const QString& text, qsizetype i)
{
    return (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ? i + 1 : i;
}

qsizetype skipSpaces(const QString& text, qsizetype i)
{
    while (i < text.size() && text[i] == u' ')
        ++i;
    return i;
}

// The 15 significant digits (trailing zeros dropped) and the decimal exponent
// of the first digit, after rounding to 15 digits.
void significantDigits(double magnitude, std::string& digits, int& exponent)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string text(buffer, written.ptr);
    const std::size_t e = text.find('e');
    digits = text.substr(0, 1) + text.substr(2, e - 2);
    exponent = std::atoi(text.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

QString fixedNotation(const std::string& digits, int exponent, QChar separator)
{
    std::string integer;
    std::string fraction;
    if (exponent >= 0) {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        integer = digits.substr(0, std::min(integerDigits, digits.size()));
        integer.resize(integerDigits, '0');
        fraction = digits.size() > integerDigits ? digits.substr(integerDigits) : std::string();
    } else {
        integer = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    QString result = QString::fromLatin1(integer);
    if (!fraction.empty())
        result += separator + QString::fromLatin1(fraction);
    return result;
}

QString scientificNotation(const std::string& digits, int exponent, QChar separator)
{
    QString result = QString(QChar::fromLatin1(digits[0]));
    if (digits.size() > 1)
        result += separator + QString::fromLatin1(digits.substr(1));
    return result + u'E' + QString::number(exponent);
}

}  // namespace

namespace Conversions {

std::int32_t strToInt(const QString& text)
{
    qsizetype i = skipSpaces(text, 0);
    const bool negative = i < text.size() && text[i] == u'-';
    i = skipSign(text, i);
    const bool hexadecimal = skipHexPrefix(text, i);
    if (i >= text.size())
        raiseNotInteger(text);
    const std::uint64_t limit = hexadecimal ? 0xFFFFFFFFu : 0x80000000u;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], hexadecimal);
        if (digit < 0)
            raiseNotInteger(text);
        value = value * (hexadecimal ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > limit)
            raiseNotInteger(text);
    }
    if (!hexadecimal && !negative && value > 0x7FFFFFFFu)
        raiseNotInteger(text);
    // Hexadecimal numbers are taken as 32-bit patterns: $FFFFFFFF is -1.
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

QString floatToStr(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    std::string digits;
    int exponent = 0;
    significantDigits(std::fabs(value), digits, exponent);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= -5 && exponent <= 14)
        return sign + fixedNotation(digits, exponent, decimalSeparator);
    return sign + scientificNotation(digits, exponent, decimalSeparator);
}

double strToFloat(const QString& text, QChar decimalSeparator)
{
    qsizetype i = skipSpaces(text, 0);
    const qsizetype numberStart = i;
    i = skipSign(text, i);
    qsizetype digitsEnd = skipDigits(text, i);
    qsizetype digitCount = digitsEnd - i;
    i = digitsEnd;
    if (i < text.size() && text[i] == decimalSeparator) {
        digitsEnd = skipDigits(text, i + 1);
        digitCount += digitsEnd - (i + 1);
        i = digitsEnd;
    }
    if (digitCount == 0)
        raiseNotFloat(text);
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        const qsizetype exponentDigits = skipSign(text, i + 1);
        i = skipDigits(text, exponentDigits);
        if (i == exponentDigits)
            raiseNotFloat(text);
    }
    const qsizetype numberEnd = i;
    if (skipSpaces(text, i) != text.size())
        raiseNotFloat(text);
    QString number = text.mid(numberStart, numberEnd - numberStart);
    number.replace(decimalSeparator, u'.');
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", locale_t(0));
    // Too small for a double reads as zero; too large is no number the program can use.
    const double value = ::strtod_l(number.toLatin1().constData(), nullptr, cLocale);
    if (std::isinf(value))
        raiseNotFloat(text);
    return value;
}

double roundHalfEven(double value)
{
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return rounded;
}

}  // namespace Conversions
