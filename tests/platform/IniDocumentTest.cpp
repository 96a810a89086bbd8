#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "Codepage1252.h"
#include "IniDocument.h"

namespace {

using namespace std::string_literals;

// The cases are written as bytes of the code page, as the file holds them.
QString text(const std::string& codePageBytes)
{
    return Codepage1252::decode(QByteArray::fromStdString(codePageBytes));
}

std::optional<QString> readFrom(const std::string& file, const std::string& section, const std::string& key)
{
    return IniDocument(file).value(text(section), text(key));
}

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class IniReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReading, FindsTheValueTheProfileFunctionsWould)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(readFrom(c.file, c.section, c.key), c.expected ? std::optional(text(*c.expected)) : std::nullopt);
}

const std::string kLong(3000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReading,
    ::testing::Values(
        ReadCase{"NamesIgnoreCase", "[full]\r\nNUMLESSONS=5\r\n", "Full", "numLessons", "5"},
        ReadCase{"AccentedNamesIgnoreCase", "[\xC9t\xE9]\r\nk=1\r\n", "\xE9t\xC9", "K", "1"},
        ReadCase{"BlanksAroundEqualsAndValue", "[Full]\r\n  numLessons  =\t 7  \r\n", "Full", "numLessons", "7"},
        ReadCase{"AskedNamesAreTrimmed", "[Full]\r\nk=v\r\n", " Full ", "\tk ", "v"},
        ReadCase{"BlankInsideNameMustMatch", "[A B]\r\nk=v\r\n", "AB", "k", std::nullopt},
        ReadCase{"ValueKeepsLaterEquals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        ReadCase{"DoubleQuotesRemoved", "[S]\r\nk=\" v \"\r\n", "S", "k", " v "},
        ReadCase{"SingleQuotesRemoved", "[S]\r\nk='v'\r\n", "S", "k", "v"},
        ReadCase{"MismatchedQuotesStay", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
        ReadCase{"LoneQuoteStays", "[S]\r\nk=\"\r\n", "S", "k", "\""},
        ReadCase{"EmptyValueIsAValue", "[S]\r\nk=\r\n", "S", "k", ""},
        ReadCase{"BlankValueIsEmpty", "[S]\r\nk=   \r\n", "S", "k", ""},
        ReadCase{"EmptyQuotesAreEmpty", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
        ReadCase{"MissingSection", "[S]\r\nk=v\r\n", "T", "k", std::nullopt},
        ReadCase{"MissingKey", "[S]\r\nk=v\r\n", "S", "j", std::nullopt},
        ReadCase{"LineWithoutEqualsGivesTheDefault", "[S]\r\njunk\r\n", "S", "junk", std::nullopt},
        ReadCase{"UnclosedHeaderInASectionGivesTheDefault", "[S]\r\n[Broken\r\n", "S", "[Broken", std::nullopt},
        ReadCase{"KeysBeforeAnySectionAreNotFound", "k=v\r\n[S]\r\n", "S", "k", std::nullopt},
        ReadCase{"FirstSectionOfANameOnly", "[S]\r\na=1\r\n[S]\r\nb=2\r\n", "S", "b", std::nullopt},
        ReadCase{"FirstKeyOfANameWins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        ReadCase{"NoCommentSyntax", "[S]\r\n;a=1\r\nk=v ; x\r\n", "S", ";a", "1"},
        ReadCase{"CommentTextStaysInValue", "[S]\r\nk=v ; x\r\n", "S", "k", "v ; x"},
        ReadCase{"LineFeedsOnly", "[S]\nk=v\n", "S", "k", "v"},
        ReadCase{"LoneCarriageReturns", "[S]\rk=v\r", "S", "k", "v"},
        ReadCase{"MixedBreaksAndBlankLines", "\r\n\n[S]\r\r\n\nk=v", "S", "k", "v"},
        ReadCase{"TrailingControlZ", "[S]\r\nk=v\r\n\x1A", "S", "k", "v"},
        ReadCase{"LeadingBlanksBeforeHeaderAndKey", "  [S]\r\n\tk=v\r\n", "S", "k", "v"},
        ReadCase{"NulEndsTheValue", "[S]\r\nk=ab\0cd\r\nj=2\r\n"s, "S", "k", "ab"},
        ReadCase{"NulDoesNotHideLaterLines", "[S]\r\nk=ab\0cd\r\nj=2\r\n"s, "S", "j", "2"},
        ReadCase{"HeaderRunsToLastBracket", "[U]x]\r\nk=v\r\n", "U]x", "k", "v"},
        ReadCase{"HeaderWithTrailingText", "[ S ] ; x\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"UnclosedHeaderBelongsToSectionAbove", "[S]\r\n[T\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"NonBreakingSpaceIsNotTrimmed", "[S]\r\nk=\xA0v\r\n", "S", "k", "\xA0v"},
        ReadCase{"HighBytesUnchanged", "[S]\r\nk=\xA7\x80\xFF\r\n", "S", "k", "\xA7\x80\xFF"},
        ReadCase{"LongValueCut", "[S]\r\nk=" + kLong + "\r\n", "S", "k", std::string(2047, 'x')},
        ReadCase{"LongNames", "[" + kLong + "]\r\n" + kLong + "=v\r\n", kLong, kLong, "v"},
        ReadCase{"EmptyFile", "", "S", "k", std::nullopt},
        ReadCase{"BinaryGarbage", "\x01\xFF[\x00\x02=\r\x1A\x1A\n\xFE"s, "S", "k", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

std::string afterWrite(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value)
{
    IniDocument document(file);
    document.setValue(text(section), text(key), text(value));
    return document.bytes();
}

TEST(IniWriting, CreatesSectionsAndKeysWhereTheProfileFunctionsPutThem)
{
    EXPECT_EQ(afterWrite("", "S", "k", "v"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(afterWrite("[A]\r\na=1\r\n", "S", "k", "v"), "[A]\r\na=1\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(afterWrite("[A]\r\na=1", "S", "k", "v"), "[A]\r\na=1\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(afterWrite("[S]\r\na=1\r\n\r\n[T]\r\n", "s", "b", "2"), "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\n");
    EXPECT_EQ(afterWrite("[S]\na=1\n[T]\n", "S", "b", "2"), "[S]\na=1\nb=2\r\n[T]\n");
    EXPECT_EQ(afterWrite("[S]", "S", "b", "2"), "[S]\r\nb=2\r\n");
    EXPECT_EQ(afterWrite("[S]\r\n; note\r\n", "S", "b", "2"), "[S]\r\n; note\r\nb=2\r\n");
}

TEST(IniWriting, ReplacesAValueWhereItStandsAndKeepsEverythingElse)
{
    const std::string file = "; top\r\n[Full]\r\n  NumLessons = 3 \r\nother line\r\n[Main]\r\nname=x\n";
    EXPECT_EQ(afterWrite(file, "FULL", "numlessons", "5"),
              "; top\r\n[Full]\r\nNumLessons=5\r\nother line\r\n[Main]\r\nname=x\n");
    IniDocument unchanged(file);
    EXPECT_FALSE(unchanged.setValue("Full", "NumLessons", "3"));
    EXPECT_EQ(unchanged.bytes(), file);
}

TEST(IniWriting, WrittenValueReadsBack)
{
    IniDocument document("[S]\r\n");
    document.setValue("S", "k", "");
    EXPECT_EQ(document.value("S", "k"), "");
    EXPECT_EQ(document.bytes(), "[S]\r\nk=\r\n");
    document.setValue("S", "k", "a = b");
    EXPECT_EQ(document.value("S", "k"), "a = b");
}

TEST(IniErasing, RemovesTheFirstSectionUpToTheNextHeader)
{
    IniDocument document("[A]\r\na=1\r\n; above B\r\n[B]\r\nb=1\r\n\r\n[C]\r\nc=1\r\n[B]\r\nb=2\r\n");
    EXPECT_TRUE(document.eraseSection("b"));
    EXPECT_EQ(document.bytes(), "[A]\r\na=1\r\n; above B\r\n[C]\r\nc=1\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(document.value("B", "b"), "2");
    EXPECT_FALSE(document.eraseSection("Z"));
    document.eraseSection("B");
    document.setValue("B", "n", "0");
    EXPECT_EQ(document.bytes(), "[A]\r\na=1\r\n; above B\r\n[C]\r\nc=1\r\n[B]\r\nn=0\r\n");
}

}  // namespace
