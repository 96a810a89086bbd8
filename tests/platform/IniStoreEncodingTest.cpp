// The store on files as editors save them: with a UTF-8 or UTF-16 byte-order
// mark, and with key lines that have no "=".
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "IniStore.h"

namespace {

const QByteArray kUtf8("\xEF\xBB\xBF");
const QByteArray kLittle("\xFF\xFE");
const QByteArray kBig("\xFE\xFF");
const QString kMissing = QStringLiteral("missing");

QByteArray utf16(const char16_t* text, bool bigEndian)
{
    QByteArray bytes;
    for (const char16_t* c = text; *c; ++c) {
        const char low = static_cast<char>(*c & 0xFF);
        const char high = static_cast<char>(*c >> 8);
        bytes += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
    }
    return bytes;
}

QByteArray le(const char16_t* text) { return kLittle + utf16(text, false); }
QByteArray be(const char16_t* text) { return kBig + utf16(text, true); }

class EditorFile : public ::testing::Test {
protected:
    void save(const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }
    QByteArray saved() const
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir;
    QString file = dir.path() + QStringLiteral("/course.ini");
    IniStore store;
};

struct ReadCase {
    const char* name;
    QByteArray file;
    QString section;
    QString key;
    QString expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class EditorFileReading : public EditorFile, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(EditorFileReading, ReadsWhatTheAuthorSaved)
{
    const ReadCase& c = GetParam();
    save(c.file);
    store.open(file);
    EXPECT_EQ(store.read(c.section, c.key, kMissing), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EditorFileReading,
    ::testing::Values(
        ReadCase{"Utf8MarkDoesNotHideTheFirstSection", kUtf8 + "[Full]\r\nnumLessons=5\r\n", "full", "NUMLESSONS", "5"},
        ReadCase{"Utf8ComesInTheCodePage", kUtf8 + "[S]\r\nk=Caf\xC3\xA9 \xE2\x82\xAC\r\n", "S", "k", "Caf\u00E9 \u20AC"},
        ReadCase{"Utf8AccentedNamesIgnoreCase", kUtf8 + "[\xC3\x89t\xC3\xA9]\r\nK=1\r\n", "\u00E9T\u00C9", "k", "1"},
        ReadCase{"Utf8OutsideTheCodePageComesWhole", kUtf8 + "[S]\r\nk=\xE4\xB8\xAD\xF0\x9F\x98\x80.\r\n", "S", "k", "\u4E2D\U0001F600."},
        ReadCase{"InvalidUtf8IsAReplacementCharacter", kUtf8 + "[S]\r\nk=a\xFF" "b\xC3\r\nj=2\r\n", "S", "k", "a\uFFFDb\uFFFD"},
        ReadCase{"Utf8CyrillicNamesIgnoreCase", kUtf8 + "[\xD0\xA3\xD1\x80\xD0\xBE\xD0\xBA]\r\nk=1\r\n", "\u0443\u0420\u041E\u041A", "K", "1"},
        ReadCase{"Utf8MarkOnly", kUtf8, "S", "k", kMissing},
        ReadCase{"Utf16LittleEndian", le(u"[S]\r\nk=Caf\u00E9\r\n"), "S", "k", "Caf\u00E9"},
        ReadCase{"Utf16BigEndian", be(u"[S]\nk=\u20AC 1\n"), "s", "K", "\u20AC 1"},
        ReadCase{"Utf16OutsideTheCodePage", le(u"[S]\rk=\u4E2D\U0001F600\r"), "S", "k", "\u4E2D\U0001F600"},
        ReadCase{"Utf16NamesOutsideTheCodePage", le(u"[\u4E2D]\r\nk=1\r\n"), "\u4E2D", "k", "1"},
        ReadCase{"Utf16NamesOutsideTheCodePageMatchNoQuestionMark", le(u"[\u4E2D]\r\nk=1\r\n"), "?", "k", kMissing},
        ReadCase{"Utf16HalfCharacterAtTheEndIsIgnored", le(u"[S]\r\nk=v") + "x", "S", "k", "v"},
        ReadCase{"Utf16MarkOnly", kLittle, "S", "k", kMissing},
        ReadCase{"KeyWithoutEqualsGivesTheDefault", "[S]\r\n  k  \r\n", "S", "k", kMissing},
        ReadCase{"KeyWithoutEqualsIsTheFirstOfItsName", "[S]\r\nk\r\nk=v\r\n", "S", "k", kMissing}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    QByteArray before;
    QString section;
    QString key;
    QString value;
    QByteArray after;
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

class EditorFileWriting : public EditorFile, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(EditorFileWriting, KeepsTheFileAsTheAuthorSavedIt)
{
    const WriteCase& c = GetParam();
    save(c.before);
    store.open(file);
    store.write(c.section, c.key, c.value);
    store.close();
    EXPECT_EQ(saved(), c.after);
    store.open(file);
    EXPECT_EQ(store.read(c.section, c.key, kMissing), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, EditorFileWriting,
    ::testing::Values(
        WriteCase{"Utf8ReplacesInPlaceAndKeepsOtherLinesByteForByte",
                  kUtf8 + "[S]\r\nname=\xE4\xB8\xAD\r\nk=old\nbad=\xFF\xC3\r\n", "S", "k", "Caf\u00E9",
                  kUtf8 + "[S]\r\nname=\xE4\xB8\xAD\r\nk=Caf\xC3\xA9\nbad=\xFF\xC3\r\n"},
        WriteCase{"Utf8KeepsTheSpellingOfTheName", kUtf8 + "[S]\r\n K\xC3\xA9y = 1\r\n", "s", "K\u00C9Y", "2",
                  kUtf8 + "[S]\r\nK\xC3\xA9y=2\r\n"},
        WriteCase{"Utf8NewSectionInUtf8", kUtf8 + "[A]\r\na=1", "\u00C9", "k", "\u20AC",
                  kUtf8 + "[A]\r\na=1\r\n[\xC3\x89]\r\nk=\xE2\x82\xAC\r\n"},
        WriteCase{"Utf8MarkOnly", kUtf8, "S", "k", "v", kUtf8 + "[S]\r\nk=v\r\n"},
        WriteCase{"Utf16LittleEndianNewKey", le(u"[S]\r\nk=1\r\n"), "S", "j", "\u00E9", le(u"[S]\r\nk=1\r\nj=\u00E9\r\n")},
        WriteCase{"Utf16KeepsTextOutsideTheCodePage", le(u"[S]\r\nname=\u4E2D\U0001F600\r\nk=1\r\n"), "S", "k", "2",
                  le(u"[S]\r\nname=\u4E2D\U0001F600\r\nk=2\r\n")},
        WriteCase{"Utf16BigEndian", be(u"[S]\nk=1\n"), "S", "k", "\u20AC", be(u"[S]\nk=\u20AC\n")},
        WriteCase{"Utf16HalfCharacterIsDropped", le(u"[S]\r\nk=1\r\n") + "x", "T", "k", "v",
                  le(u"[S]\r\nk=1\r\n[T]\r\nk=v\r\n")},
        WriteCase{"Utf16MarkOnly", kBig, "S", "k", "v", be(u"[S]\r\nk=v\r\n")},
        WriteCase{"KeyWithoutEqualsIsReplacedInPlace", "[S]\r\n  k  \r\nj=1\r\n", "S", "K", "v", "[S]\r\nk=v\r\nj=1\r\n"},
        WriteCase{"KeyWithoutEqualsTakesAnEmptyValue", kUtf8 + "[S]\nk\n", "S", "k", "", kUtf8 + "[S]\nk=\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorFile, ErasingKeepsTheEncodingAndItsMark)
{
    save(le(u"[A]\r\na=1\r\n[B]\r\nb=\u4E2D\r\n"));
    store.open(file);
    store.erase(QStringLiteral("a"));
    store.close();
    EXPECT_EQ(saved(), le(u"[B]\r\nb=\u4E2D\r\n"));

    save(kUtf8 + "[A]\r\na=1\r\n");
    store.open(file);
    store.erase(QStringLiteral("A"));
    store.close();
    EXPECT_EQ(saved(), kUtf8);
}

}  // namespace
