#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "AppError.h"
#include "Conversions.h"

namespace {

using Conversions::floatToStr;
using Conversions::strToFloat;
using Conversions::strToInt;

QString integerError(const char* text)
{
    try {
        strToInt(QString::fromUtf8(text));
    } catch (const AppError& error) {
        return error.text();
    }
    return QStringLiteral("no error");
}

TEST(StrictIntegerConversion, AcceptsDecimalAndHexadecimalForms)
{
    EXPECT_EQ(strToInt(QStringLiteral("5")), 5);
    EXPECT_EQ(strToInt(QStringLiteral("   -12")), -12);
    EXPECT_EQ(strToInt(QStringLiteral("+007")), 7);
    EXPECT_EQ(strToInt(QStringLiteral("$A")), 10);
    EXPECT_EQ(strToInt(QStringLiteral("x1f")), 31);
    EXPECT_EQ(strToInt(QStringLiteral("X1F")), 31);
    EXPECT_EQ(strToInt(QStringLiteral("0x10")), 16);
    EXPECT_EQ(strToInt(QStringLiteral("-0X10")), -16);
    EXPECT_EQ(strToInt(QStringLiteral("-$a")), -10);
    EXPECT_EQ(strToInt(QStringLiteral("0")), 0);
    EXPECT_EQ(strToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(strToInt(QStringLiteral("-2147483648")), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(strToInt(QStringLiteral("$7FFFFFFF")), 2147483647);
    EXPECT_EQ(strToInt(QStringLiteral("$FFFFFFFF")), -1);
    EXPECT_EQ(strToInt(QStringLiteral("$0000000010")), 16);
}

TEST(StrictIntegerConversion, RejectsEverythingElseWithTheValueInTheMessage)
{
    EXPECT_EQ(integerError(""), QStringLiteral("'' is not a valid integer value"));
    EXPECT_EQ(integerError("5 lessons"), QStringLiteral("'5 lessons' is not a valid integer value"));
    for (const char* bad : {" ", "5 ", "\t5", "+", "-", "$", "0x", "x", "1.5", "1e3", "--1", "+-1", "0x-1",
                            "$G", "12a", "2147483648", "-2147483649", "$100000000", "99999999999999999999",
                            "\xEF\xBC\x95"}) {
        EXPECT_NE(integerError(bad), QStringLiteral("no error")) << bad;
    }
}

TEST(PositionText, GeneralFormatWithFifteenDigits)
{
    EXPECT_EQ(floatToStr(0, u'.'), QStringLiteral("0"));
    EXPECT_EQ(floatToStr(12.5, u'.'), QStringLiteral("12.5"));
    EXPECT_EQ(floatToStr(12.5, u','), QStringLiteral("12,5"));
    EXPECT_EQ(floatToStr(3, u'.'), QStringLiteral("3"));
    EXPECT_EQ(floatToStr(-0.25, u'.'), QStringLiteral("-0.25"));
    EXPECT_EQ(floatToStr(0.1, u'.'), QStringLiteral("0.1"));
    EXPECT_EQ(floatToStr(1.0 / 3, u'.'), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(floatToStr(2.0 / 3, u'.'), QStringLiteral("0.666666666666667"));
    EXPECT_EQ(floatToStr(123.456789012345678, u'.'), QStringLiteral("123.456789012346"));
    EXPECT_EQ(floatToStr(0.00001, u'.'), QStringLiteral("0.00001"));
    EXPECT_EQ(floatToStr(0.000012345, u'.'), QStringLiteral("0.000012345"));
    EXPECT_EQ(floatToStr(0.000001, u'.'), QStringLiteral("1E-6"));
    EXPECT_EQ(floatToStr(0.0000015, u','), QStringLiteral("1,5E-6"));
    EXPECT_EQ(floatToStr(999999999999999.0, u'.'), QStringLiteral("999999999999999"));
    EXPECT_EQ(floatToStr(1e15, u'.'), QStringLiteral("1E15"));
    EXPECT_EQ(floatToStr(123456789012345678.0, u'.'), QStringLiteral("1.23456789012346E17"));
    EXPECT_EQ(floatToStr(9999999999999999.0, u'.'), QStringLiteral("1E16"));
    EXPECT_EQ(floatToStr(1e300, u'.'), QStringLiteral("1E300"));
}

TEST(PositionText, ReadsBackWithTheRegionalSeparator)
{
    for (double value : {0.0, 12.5, 1.0 / 3, 92.0, 0.000012345, 1.5e-6, 123456789012345678.0, -4.75}) {
        for (QChar separator : {QChar(u'.'), QChar(u',')}) {
            const double back = strToFloat(floatToStr(value, separator), separator);
            EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << value;
        }
    }
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral("  1.5  "), u'.'), 1.5);
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral(".5"), u'.'), 0.5);
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral("5."), u'.'), 5);
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral("+2e3"), u'.'), 2000);
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral("1E-400"), u'.'), 0);
}

TEST(PositionText, RejectsTextThatIsNotANumberInTheRegionalFormat)
{
    try {
        strToFloat(QStringLiteral("12.5"), u',');
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("'12.5' is not a valid floating point value"));
    }
    for (const char* bad : {"", " ", ".", "-", "1,5", "1.5.2", "abc", "1e", "1e+", "1 5", "1.5x", "INF", "NAN",
                            "1E400", "0x10", "\t1"}) {
        EXPECT_THROW(strToFloat(QString::fromUtf8(bad), u'.'), AppError) << bad;
    }
}

TEST(RoundingToWholeNumbers, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(Conversions::roundHalfEven(12.5), 12);
    EXPECT_EQ(Conversions::roundHalfEven(37.5), 38);
    EXPECT_EQ(Conversions::roundHalfEven(92.5), 92);
    EXPECT_EQ(Conversions::roundHalfEven(-2.5), -2);
    EXPECT_EQ(Conversions::roundHalfEven(2.5000001), 3);
}

}  // namespace
