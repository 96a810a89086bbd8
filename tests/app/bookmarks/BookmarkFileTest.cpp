// The bookmark file behind the menu: its sections, keys and bytes, and what
// loading accepts from files prepared by hand.
#include "BookmarkFixture.h"

namespace {

using Bytes = QByteArray;

class BookmarkFile : public BookmarkFixture {};

TEST_F(BookmarkFile, FirstAddCreatesTheFileAndTheLastRemoveLeavesACountOfZero)
{
    TfrmMain& w = startLessonCourse();
    expectBookmarks({}, {});
    EXPECT_EQ(w.selBm->currentIndex(), -1);
    EXPECT_EQ(w.selBm->placeholderText(), QStringLiteral("Bookmarks"));
    EXPECT_FALSE(QFile::exists(filePath())) << "loading creates nothing";

    addBookmark(QStringLiteral("Intro"), 12.5);
    EXPECT_EQ(fileBytes(), Bytes("[vid0]\r\nnumBm=1\r\nbm1=Intro\r\nval1=12.5\r\n"));
    removeRow(0);
    expectBookmarks({}, {});
    EXPECT_EQ(fileBytes(), Bytes("[vid0]\r\nnumBm=0\r\n"));
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
}

TEST_F(BookmarkFile, ASaveReplacesOnlyTheLessonsSectionAndRenumbers)
{
    startLessonCourse("; notes\r\n[vid1]\r\nnumBm=1\r\nbm1=other\r\nval1=3\r\n"
                      "[VID0]\r\nnumBm=3\r\nbm1=a\r\nval1=1.5\r\nbm3=c\r\nval3=9\r\nextra=gone\r\n[tail]\nkept=as is\n");
    addBookmark(QStringLiteral("d"), 20);
    EXPECT_EQ(fileBytes(), Bytes("; notes\r\n[vid1]\r\nnumBm=1\r\nbm1=other\r\nval1=3\r\n[tail]\nkept=as is\n"
                                 "[vid0]\r\nnumBm=3\r\nbm1=a\r\nval1=1.5\r\nbm2=c\r\nval2=9\r\nbm3=d\r\nval3=20\r\n"));
}

// What loading makes of sections written by hand.
TEST_F(BookmarkFile, LoadingKeepsOnlyCompleteEntries)
{
    struct Case {
        const char* name;
        Bytes section;
        QStringList names;
        QStringList positions;
    };
    const Bytes marker = "\xA7" "ERROR\xA7";
    const QList<Case> cases = {
        {"no count", "bm1=a\r\nval1=1\r\n", {}, {}},
        {"negative count", "numBm=-2\r\nbm1=a\r\nval1=1\r\n", {}, {}},
        {"count beyond the keys", "numBm=9\r\nbm2=b\r\nval2=2\r\n", {"b"}, {"2"}},
        {"count at the integer limit, keys out of order", "numBm=2147483647\r\nbm10=j\r\nval10=10\r\nbm2=b\r\nval2=2\r\nbm02=z\r\nval02=0\r\n",
         {"b", "j"}, {"2", "10"}},
        {"empty name kept", "numBm=1\r\nbm1=\r\nval1=4\r\n", {""}, {"4"}},
        {"empty position dropped", "numBm=2\r\nbm1=a\r\nval1=\r\nbm2=b\r\nval2=2\r\n", {"b"}, {"2"}},
        {"missing name dropped", "numBm=2\r\nval1=1\r\nbm2=b\r\nval2=2\r\n", {"b"}, {"2"}},
        {"marker as name dropped", "numBm=2\r\nbm1=" + marker + "\r\nval1=1\r\nbm2=b\r\nval2=2\r\n", {"b"}, {"2"}},
        {"marker as position dropped", "numBm=1\r\nbm1=a\r\nval1=" + marker + "\r\n", {}, {}},
        {"quotes and blanks", "NUMBM = 1 \r\n BM1 = \" two  words \"\r\nval1= 7 \r\n", {" two  words "}, {"7"}},
    };
    TfrmMain& w = startLessonCourse();
    for (const Case& c : cases) {
        harness.course.writeFile(QStringLiteral("data/course.ini"), "[vid0]\r\n" + c.section);
        w.loadBookmarks();
        SCOPED_TRACE(c.name);
        expectBookmarks(c.names, c.positions);
    }
}

TEST_F(BookmarkFile, ACountThatIsNoNumberLeavesTheManagementEntriesOnly)
{
    TfrmMain& w = startLessonCourse("[vid0]\r\nnumBm=1\r\nbm1=a\r\nval1=1\r\n");
    harness.course.writeFile(QStringLiteral("data/course.ini"), "[vid0]\r\nnumBm=2x\r\nbm1=a\r\nval1=1\r\n");
    runGuarded([&] { w.FormShow(); });
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("'2x' is not a valid integer value.")});
    expectBookmarks({}, {});
}

TEST_F(BookmarkFile, EachLessonKeepsItsOwnSection)
{
    TfrmMain& w = startLessonCourse();
    addBookmark(QStringLiteral("intro"), 5);
    w.currentLesson = QStringLiteral("2");
    w.loadBookmarks();
    expectBookmarks({}, {});
    addBookmark(QStringLiteral("two"), 7.25);
    w.currentLesson = QStringLiteral("0");
    w.loadBookmarks();
    expectBookmarks({QStringLiteral("intro")}, {QStringLiteral("5")});
    EXPECT_EQ(fileBytes(), Bytes("[vid0]\r\nnumBm=1\r\nbm1=intro\r\nval1=5\r\n[vid2]\r\nnumBm=1\r\nbm1=two\r\nval1=7.25\r\n"));
}

TEST_F(BookmarkFile, SingleVideoModeUsesTheVideosNameInItsOwnFile)
{
    harness.course.writeSkin();
    harness.course.writeFile(QStringLiteral("qel.ini"), "[Main]\r\nname=Rigging Basics\r\n");
    harness.separator = u',';
    startWindow();
    addBookmark(QStringLiteral("knees"), 61.5);
    EXPECT_EQ(fileBytes(QStringLiteral("dlqel.ini")), Bytes("[Rigging Basics]\r\nnumBm=1\r\nbm1=knees\r\nval1=61,5\r\n"));
}

TEST_F(BookmarkFile, AFileThatCannotBeWrittenStaysAsItWas)
{
    const Bytes before = "[vid0]\r\nnumBm=1\r\nbm1=a\r\nval1=1\r\n";
    startLessonCourse(before);
    makeReadOnly();
    addBookmark(QStringLiteral("b"), 2);
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("Unable to write to ") + filePath() + u'.'});
    EXPECT_EQ(fileBytes(), before);
    expectBookmarks({QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("1"), QStringLiteral("2")});
}

// A name or a decimal separator the code page lacks turns the file into UTF-8
// with its mark, every character of the file kept; others keep the code page.
TEST_F(BookmarkFile, EveryCharacterSurvivesARestart)
{
    const Bytes lesson1 = "[vid1]\r\nnumBm=1\r\nbm1=Caf\xE9 \x80\r\nval1=3\r\n";
    const Bytes utf8 = "\xEF\xBB\xBF";
    const struct { QString name; QChar separator; Bytes before, after; } cases[] = {
        {QStringLiteral("Caf\u00E9 \u20AC"), u'.', lesson1, lesson1 + "[vid0]\r\nnumBm=1\r\nbm1=Caf\xE9 \x80\r\nval1=12.5\r\n"},
        {QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442"), u'.', Bytes(),
         utf8 + "[vid0]\r\nnumBm=1\r\nbm1=\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\nval1=12.5\r\n"},
        {QStringLiteral("\u7B2C\u4E00\u7AE0"), u'.', lesson1, utf8 + "[vid1]\r\nnumBm=1\r\nbm1=Caf\xC3\xA9 \xE2\x82\xAC\r\n"
         "val1=3\r\n[vid0]\r\nnumBm=1\r\nbm1=\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\r\nval1=12.5\r\n"},
        {QStringLiteral("a"), QChar(0x066B), Bytes(), utf8 + "[vid0]\r\nnumBm=1\r\nbm1=a\r\nval1=12\xD9\xAB" "5\r\n"},
    };
    harness.course.writeLessonCourse(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        harness.course.writeFile(QStringLiteral("data/course.ini"), c.before);
        harness.separator = c.separator;
        startWindow();
        addBookmark(c.name, 12.5);
        EXPECT_EQ(fileBytes(), c.after);
        startWindow();
        expectBookmarks({c.name}, {QStringLiteral("12") + c.separator + u'5'});
    }
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
}

// A start-up that stops before it has the data folder must not leave the
// bookmark file without one (it would then be looked for in the root).
TEST_F(BookmarkFile, TheFileStaysInTheDataFolderWhateverStartUpDid)
{
    const QString denied = QStringLiteral("Permission denied");
    const Bytes saved = "[vid]\r\nnumBm=1\r\nbm1=b\r\nval1=2\r\n";
    const struct { Bytes sponsorList; QString failureAtStart, failureLater; QStringList errors; Bytes after; } cases[] = {
        {"[Main]\r\nnum=x\r\n", QString(), QString(), {QStringLiteral("'x' is not a valid integer value.")}, saved},
        {Bytes(), denied, QString(), {denied + u'.'}, saved},
        {Bytes(), denied, denied, {denied + u'.', denied + u'.'}, "<none>"},  // the save tells the folder's error
    };
    harness.course.writeLessonCourse(true);
    for (const auto& c : cases) {
        harness.course.writeFile(QStringLiteral("Sponsors/sp.dat"), c.sponsorList);
        harness.course.remove(QStringLiteral("data/course.ini"));
        harness.errors.clear();
        harness.dataFolderFailure = c.failureAtStart;
        startWindow();
        harness.dataFolderFailure = c.failureLater;
        addBookmark(QStringLiteral("b"), 2);
        EXPECT_EQ(harness.errors, c.errors);
        EXPECT_EQ(fileBytes(), c.after);
    }
}

// The file's name comes from the course; it must never name a file outside the data folder.
TEST_F(BookmarkFile, ANameThatLeavesTheDataFolderHoldsNoBookmarks)
{
    const Bytes outside = "[vid0]\r\nnumBm=1\r\nbm1=x\r\nval1=1\r\n";
    harness.course.writeFile(QStringLiteral("outside.ini"), outside);
    TfrmMain& w = startLessonCourse();
    for (const QString& name : {QStringLiteral("../outside.ini"), QStringLiteral("..\\outside.ini"),
                                QStringLiteral("sub/x.ini"), QStringLiteral(".."), QString()}) {
        SCOPED_TRACE(name.toStdString());
        harness.errors.clear();
        w.bookmarkFileName = name;
        w.loadBookmarks();
        expectBookmarks({}, {});
        addBookmark(QStringLiteral("y"), 2);
        EXPECT_EQ(harness.errors,
                  QStringList{ErrorReporting::withClosingStop(QStringLiteral("Unable to write to ") + filePath(name))});
    }
    QFile file(harness.course.path(QStringLiteral("outside.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), outside);

    w.bookmarkFileName = QStringLiteral("-1");
    w.loadBookmarks();
    addBookmark(QStringLiteral("z"), 3);
    EXPECT_EQ(fileBytes(QStringLiteral("-1")), Bytes("[vid0]\r\nnumBm=1\r\nbm1=z\r\nval1=3\r\n"));
}

}  // namespace
